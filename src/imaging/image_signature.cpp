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

unsigned little_endian(const unsigned char* bytes, int count) {
    unsigned value = 0;
    while (count-- > 0)
        value = value << 8 | bytes[count];
    return value;
}

} // namespace

const char* coder_for_signature(const unsigned char* head, std::size_t length) {
    for (const RasterFormat& format : raster_formats)
        if (matches(format.first, head, length) && matches(format.second, head, length))
            return format.coder;
    return nullptr;
}

// The layouts of the three kinds of first chunk, each after the 12 bytes "RIFF" size "WEBP" and
// the chunk's own 8 bytes of name and size: VP8X stores the canvas size less one in 24 bits each,
// VP8L (after its signature byte 0x2F) the size less one in 14 bits each, and a lossy VP8 frame
// (after its 3-byte tag and start code) the size in 14 bits each.
ImageSize webp_claimed_size(const unsigned char* head, std::size_t length) {
    if (length < image_signature_length || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WEBP", 4) != 0)
        return {};
    const unsigned char* chunk = head + 12;
    if (std::memcmp(chunk, "VP8X", 4) == 0)
        return {int(little_endian(head + 24, 3)) + 1, int(little_endian(head + 27, 3)) + 1};
    if (std::memcmp(chunk, "VP8L", 4) == 0 && head[20] == 0x2F) {
        const unsigned bits = little_endian(head + 21, 4);
        return {int(bits & 0x3FFF) + 1, int(bits >> 14 & 0x3FFF) + 1};
    }
    if (std::memcmp(chunk, "VP8 ", 4) == 0 && std::memcmp(head + 23, "\x9D\x01\x2A", 3) == 0)
        return {int(little_endian(head + 26, 2) & 0x3FFF),
                int(little_endian(head + 28, 2) & 0x3FFF)};
    return {};
}
