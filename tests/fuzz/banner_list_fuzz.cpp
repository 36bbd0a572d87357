// Any bytes as a banner list: entries are whole, and a name that is used is a plain file name.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/banner_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    for (const BannerListEntry& entry : parse_banner_list(body)) {
        if (entry.image_url.empty() || entry.link.empty() ||
            entry.image_url.find_first_of("\r\n") != std::string::npos ||
            entry.link.find_first_of("\r\n") != std::string::npos)
            __builtin_trap();
        if (const auto name = banner_file_name(entry)) {
            if (entry.size <= 0 || name->empty() || *name == "." || *name == ".." ||
                name->find_first_of("/:") != std::string::npos || name->back() == '.')
                __builtin_trap();
        }
        if (is_web_link(entry.link) && entry.link.find_first_of(" \"") != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
