// Any bytes as a photo's EXIF block: the kept block reads back as itself, and is never much
// larger than what it came from.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imaging/exif_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view block(reinterpret_cast<const char*>(data), size);
    const std::string kept = shareable_exif(block);
    if (kept.empty())
        return 0;
    if (kept.size() > 2 * size + 70 || shareable_exif(kept) != kept)
        __builtin_trap();
    return 0;
}
