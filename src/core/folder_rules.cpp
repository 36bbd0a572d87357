#include "core/folder_rules.h"

#include "settings/text.h"

namespace {

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Whether text begins with prefix, ASCII letters compared without case; the bytes of a
// double-byte character are compared exactly (a trail byte may look like a letter).
bool starts_with_nocase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (is_gbk_lead_byte(prefix[i]) && i + 1 < prefix.size()) {
            if (text[i] != prefix[i] || text[i + 1] != prefix[i + 1])
                return false;
            ++i;
        } else if (fold(text[i]) != fold(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool ends_with_backslash(const std::string& path) {
    // A trailing 0x5C may be the second half of a double-byte character.
    const std::size_t n = path.size();
    return n > 0 && path[n - 1] == '\\' && gbk_prefix_length(path.data(), n, n - 1) == n - 1;
}

} // namespace

bool lies_below(const std::string& target, const std::string& source) {
    if (source.empty() || !starts_with_nocase(target, source))
        return false;
    if (ends_with_backslash(source))
        return target.size() > source.size();
    return target.size() > source.size() && target[source.size()] == '\\';
}

std::string mirrored_folder(const std::string& folder, const std::string& source,
                            const std::string& target) {
    return target + folder.substr(source.size());
}
