// The banner list that the product web site publishes, and the rules that keep a server from
// making the program write or start anything it should not.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One entry of the list, as listed.
struct BannerListEntry {
    std::string image_url;
    int size = 0; // bytes of the picture file
    std::string link;
    int display_time = 0; // milliseconds on screen
};

// The longest image URL and link an entry may have.
inline constexpr std::size_t MaxBannerImageUrl = 127;
inline constexpr std::size_t MaxBannerLink = 255;

// The complete entries of a list body: tokens separated by any run of CR and LF characters
// (so empty lines do not count), read in groups of four: image URL, size, link, display time.
// The tokens of an unfinished last group are ignored.
std::vector<BannerListEntry> parse_banner_list(std::string_view body);

// The name under which the entry's picture is stored in the images folder: the text after the
// last '/' of its URL. Nothing when the entry is left out: a size of 0 or less (it would never
// be shown), an image URL or link longer than the table holds, no '/' in the URL, or a name that
// is not a plain file name (empty, "." or "..", holding '\', ':' or a control character, ending
// in a dot or a space, or naming a device such as CON or COM1).
std::optional<std::string> banner_file_name(const BannerListEntry& entry);

// True when a link may be handed to the browser: an http:// or https:// URL without spaces,
// quotes or control characters, so that it can neither start a local program or file nor add
// arguments to the browser's command line.
bool is_web_link(std::string_view link);
