#include "net/banner_list.h"

#include "base/encoding.h"
#include "base/text.h"

namespace {

std::vector<std::string_view> list_tokens(std::string_view body) {
    std::vector<std::string_view> tokens;
    std::size_t pos = 0;
    while ((pos = body.find_first_not_of("\r\n", pos)) != std::string_view::npos) {
        const std::size_t end = body.find_first_of("\r\n", pos);
        tokens.push_back(body.substr(pos, end - pos));
        if (end == std::string_view::npos)
            break;
        pos = end;
    }
    return tokens;
}

// Windows opens a device for these names, with or without an extension.
bool is_device_name(std::string_view name) {
    std::string stem(name.substr(0, name.find('.')));
    for (char& c : stem)
        c = ascii_lower(c);
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul" || stem == "conin$" ||
        stem == "conout$")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

bool is_plain_file_name(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ' || is_device_name(name))
        return false;
    // In UTF-8 no byte of a character beyond ASCII is a colon or a backslash.
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7f || b == ':' || b == '\\')
            return false;
    }
    return true;
}

// A number token without digits reads as 0.
int list_number(std::string_view token) {
    return parse_decimal(token).value_or(0);
}

} // namespace

// The site writes its list in code page 936; the program's text is UTF-8.
std::vector<BannerListEntry> parse_banner_list(std::string_view body) {
    const std::string text = gbk_to_utf8(std::string(body));
    const std::vector<std::string_view> tokens = list_tokens(text);
    std::vector<BannerListEntry> entries;
    for (std::size_t i = 0; i + 4 <= tokens.size(); i += 4)
        entries.push_back({std::string(tokens[i]), list_number(tokens[i + 1]),
                           std::string(tokens[i + 2]), list_number(tokens[i + 3])});
    return entries;
}

std::optional<std::string> banner_file_name(const BannerListEntry& entry) {
    if (entry.size <= 0 || cp936_length(entry.image_url) > MaxBannerImageUrl ||
        cp936_length(entry.link) > MaxBannerLink)
        return std::nullopt;
    const std::size_t last_slash = entry.image_url.rfind('/');
    if (last_slash == std::string::npos)
        return std::nullopt;
    std::string name = entry.image_url.substr(last_slash + 1);
    if (!is_plain_file_name(name))
        return std::nullopt;
    return name;
}

bool is_web_link(std::string_view link) {
    if (!starts_with_nocase(link, "http://") && !starts_with_nocase(link, "https://"))
        return false;
    for (const char c : link) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= ' ' || b == 0x7f || b == '"')
            return false;
    }
    return true;
}
