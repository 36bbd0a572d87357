#include "imaging/image_signature.h"

#include <cstring>

namespace {

struct Signature {
    std::size_t offset;
    const char* bytes;
    std::size_t length;
};

struct RasterFormat {
    const char* coder;
    Signature first;
    Signature second; // length 0 when one signature says it all
};

// GIF names its two versions; WebP is a RIFF container whose form type sits at offset 8.
constexpr RasterFormat raster_formats[] = {
    {"JPEG", {0, "\xFF\xD8\xFF", 3}, {}},
    {"PNG", {0, "\x89PNG\r\n\x1A\n", 8}, {}},
    {"GIF", {0, "GIF87a", 6}, {}},
    {"GIF", {0, "GIF89a", 6}, {}},
    {"BMP", {0, "BM", 2}, {}},
    {"WEBP", {0, "RIFF", 4}, {8, "WEBP", 4}},
};

bool matches(const Signature& s, const unsigned char* head, std::size_t length) {
    if (s.length == 0)
        return true;
    return s.offset + s.length <= length && std::memcmp(head + s.offset, s.bytes, s.length) == 0;
}

} // namespace

const char* coder_for_signature(const unsigned char* head, std::size_t length) {
    for (const RasterFormat& format : raster_formats)
        if (matches(format.first, head, length) && matches(format.second, head, length))
            return format.coder;
    return nullptr;
}
