#include "core/folder_rules.h"

#include "base/text.h"

namespace {

bool ends_with_backslash(const std::string& path) {
    return !path.empty() && path.back() == '\\';
}

} // namespace

bool lies_below(const std::string& target, const std::string& source) {
    if (source.empty() || !starts_with_nocase(target, source))
        return false;
    if (ends_with_backslash(source))
        return target.size() > source.size();
    return target.size() > source.size() && target[source.size()] == '\\';
}

std::string propose_target_folder(const std::string& source,
                                  const std::function<bool(const std::string&)>& is_taken) {
    std::string candidate = source + "_处理后";
    for (int n = 2; is_taken(candidate); ++n)
        candidate = source + "_处理后" + std::to_string(n);
    return candidate;
}

std::string mirrored_folder(const std::string& folder, const std::string& source,
                            const std::string& target) {
    return target + folder.substr(source.size());
}
