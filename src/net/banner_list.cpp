#include "net/banner_list.h"

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

// The site's list is code page 936, as the site writes it.
bool is_gbk_lead_byte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

bool is_gbk_trail_byte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x40 && b != 0x7f;
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
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b < 0x20 || b == 0x7f || b == ':' || b == '\\')
            return false;
        // A trail byte may be 0x5C, which is then part of a Chinese character, not a backslash.
        if (is_gbk_lead_byte(b) && i + 1 < name.size() && is_gbk_trail_byte(name[i + 1]))
            ++i;
    }
    return true;
}

// A number token without digits reads as 0.
int list_number(std::string_view token) {
    return parse_decimal(token).value_or(0);
}

} // namespace

std::vector<BannerListEntry> parse_banner_list(std::string_view body) {
    const std::vector<std::string_view> tokens = list_tokens(body);
    std::vector<BannerListEntry> entries;
    for (std::size_t i = 0; i + 4 <= tokens.size(); i += 4)
        entries.push_back({std::string(tokens[i]), list_number(tokens[i + 1]),
                           std::string(tokens[i + 2]), list_number(tokens[i + 3])});
    return entries;
}

std::optional<std::string> banner_file_name(const BannerListEntry& entry) {
    if (entry.size <= 0 || entry.image_url.size() > MaxBannerImageUrl ||
        entry.link.size() > MaxBannerLink)
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
