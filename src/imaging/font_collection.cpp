#include "imaging/font_collection.h"

#include <cstdint>

namespace {

constexpr std::size_t OffsetTableSize = 12;
constexpr std::size_t TableRecordSize = 16;

// Font files are big-endian; false when the value lies outside data.
bool read_u32(std::string_view data, std::size_t at, uint32_t& value) {
    if (at > data.size() || data.size() - at < 4)
        return false;
    value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(data[at + i]);
    return true;
}

void append_u32(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>(value >> shift & 0xFF);
}

// The index of the face whose directory is directory; -1 when none is.
long face_index(std::string_view collection, std::string_view directory) {
    uint32_t faces = 0;
    if (collection.substr(0, 4) != "ttcf" || !read_u32(collection, 8, faces))
        return -1;
    for (uint32_t i = 0; i < faces; ++i) {
        uint32_t offset = 0;
        if (!read_u32(collection, 12 + 4 * std::size_t{i}, offset))
            return -1;
        if (offset <= collection.size() && collection.substr(offset, directory.size()) == directory)
            return static_cast<long>(i);
    }
    return -1;
}

} // namespace

// The tables follow the directory in its order, each at a four-byte boundary as the format
// wants; their checksums stay valid, since the bytes are the same.
std::string collection_face_as_font(std::string_view collection, std::string_view directory) {
    if (directory.size() < OffsetTableSize || face_index(collection, directory) < 0)
        return {};
    const std::size_t tables =
        static_cast<unsigned char>(directory[4]) << 8 | static_cast<unsigned char>(directory[5]);
    if (directory.size() != OffsetTableSize + tables * TableRecordSize)
        return {};
    std::string records, body;
    const std::size_t body_start = directory.size();
    for (std::size_t t = 0; t < tables; ++t) {
        const std::size_t record = OffsetTableSize + t * TableRecordSize;
        uint32_t offset = 0, length = 0;
        read_u32(directory, record + 8, offset);
        read_u32(directory, record + 12, length);
        if (offset > collection.size() || collection.size() - offset < length)
            return {};
        records += directory.substr(record, 8); // tag and checksum
        append_u32(records, static_cast<uint32_t>(body_start + body.size()));
        append_u32(records, length);
        body += collection.substr(offset, length);
        body.append((4 - body.size() % 4) % 4, '\0');
    }
    return std::string(directory.substr(0, OffsetTableSize)) + records + body;
}
