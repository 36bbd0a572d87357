// Any bytes as config.dat: loading must never overrun a field or crash.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/text_mode.h"
#include "settings/config_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text = from_text_mode({reinterpret_cast<const char*>(data), size});
    Settings s{};
    apply_config_text(text.data(), text.size(), s);
    // Every text field stays terminated inside its buffer.
    if (std::memchr(s.sy_text, 0, sizeof s.sy_text) == nullptr ||
        std::memchr(s.sy_image, 0, sizeof s.sy_image) == nullptr ||
        std::memchr(s.font.fontName, 0, sizeof s.font.fontName) == nullptr ||
        std::memchr(s.font.htmlColor, 0, sizeof s.font.htmlColor) == nullptr)
        __builtin_trap();
    // What is saved loads back to the same record.
    const std::string saved = compose_config_text(s);
    Settings back{};
    apply_config_text(saved.data(), saved.size(), back);
    if (compose_config_text(back) != saved)
        __builtin_trap();
    return 0;
}
