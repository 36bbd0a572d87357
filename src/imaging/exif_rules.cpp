#include "imaging/exif_rules.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view ExifHeader("Exif\0\0", 6);
constexpr std::size_t TiffHeaderSize = 8;
constexpr std::size_t EntrySize = 12;
constexpr uint16_t TiffMagic = 42;
constexpr uint16_t OrientationTag = 0x0112;
constexpr uint16_t ShortType = 3;

// The directories a kept block holds, each reached from the one before.
enum class Directory { Main, Exif, Interop };

// The directory a field leads to: the Exif directory from the main one, the interoperability
// directory from the Exif one.
std::optional<Directory> directory_below(Directory directory, uint16_t tag) {
    if (directory == Directory::Main && tag == 0x8769)
        return Directory::Exif;
    if (directory == Directory::Exif && tag == 0xA005)
        return Directory::Interop;
    return std::nullopt;
}

// The location (GPS directory), and the fields whose values are offsets into the block: in the
// rebuilt block they would point at other bytes (sub-pictures, strips, tiles, the thumbnail's
// picture, directories met where none belongs).
bool left_out(uint16_t tag, uint16_t type) {
    switch (tag) {
    case 0x8825: // GPS directory
    case 0x014A: // sub-pictures
    case 0x0111: // strip offsets and lengths
    case 0x0117:
    case 0x0144: // tile offsets and lengths
    case 0x0145:
    case 0x0201: // the thumbnail's picture and its length
    case 0x0202:
    case 0x8769: // Exif and interoperability directories out of place
    case 0xA005:
        return true;
    }
    return type == 13; // a directory offset of its own type
}

// Bytes per value of each field type; 0 for a type this does not know, whose size is unknown.
std::size_t type_size(uint16_t type) {
    static constexpr unsigned char sizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    return type < sizeof sizes ? sizes[type] : 0;
}

class Tiff {
  public:
    explicit Tiff(std::string_view bytes)
        : bytes_(bytes), big_endian_(bytes.substr(0, 2) == "MM") {}
    bool big_endian() const { return big_endian_; }
    bool holds(uint64_t at, uint64_t length) const {
        return at <= bytes_.size() && length <= bytes_.size() - at;
    }
    // An unsigned number of width bytes at at, which holds() has vouched for.
    uint32_t number(std::size_t at, int width) const {
        uint32_t value = 0;
        for (int i = 0; i < width; ++i)
            value = value << 8 |
                    static_cast<unsigned char>(bytes_[at + (big_endian_ ? i : width - 1 - i)]);
        return value;
    }
    std::string_view bytes(std::size_t at, std::size_t length) const {
        return bytes_.substr(at, length);
    }

  private:
    std::string_view bytes_;
    bool big_endian_;
};

// A field as kept: its value bytes in the block's byte order, or the directory it leads to.
struct Field {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    std::string_view value;
    bool leads_below = false;
    std::vector<Field> below;
};

// An upright orientation, one SHORT in either byte order.
std::string_view upright(bool big_endian) {
    static constexpr char big[] = {0, 1}, little[] = {1, 0};
    return {big_endian ? big : little, 2};
}

// The kept fields of the directory at offset, in their order. Only the first field that leads
// to a directory below is followed, so a block can make no more than three directories read.
bool read_directory(const Tiff& tiff, uint32_t offset, Directory directory,
                    std::vector<Field>& fields) {
    if (!tiff.holds(offset, 2))
        return false;
    const uint32_t entries = tiff.number(offset, 2);
    if (!tiff.holds(offset + 2, uint64_t{entries} * EntrySize))
        return false;
    bool below_read = false;
    for (uint32_t i = 0; i < entries; ++i) {
        const std::size_t at = offset + 2 + i * EntrySize;
        Field field{static_cast<uint16_t>(tiff.number(at, 2)),
                    static_cast<uint16_t>(tiff.number(at + 2, 2)), tiff.number(at + 4, 4)};
        if (const auto below = directory_below(directory, field.tag)) {
            field.leads_below = true;
            if (!below_read && tiff.holds(at + 8, 4) &&
                read_directory(tiff, tiff.number(at + 8, 4), *below, field.below))
                fields.push_back(std::move(field));
            below_read = true;
            continue;
        }
        const uint64_t size = uint64_t{type_size(field.type)} * field.count;
        if (left_out(field.tag, field.type) || size == 0)
            continue;
        if (directory == Directory::Main && field.tag == OrientationTag) {
            field.type = ShortType;
            field.count = 1;
            field.value = upright(tiff.big_endian());
        } else if (size <= 4) {
            field.value = tiff.bytes(at + 8, size);
        } else {
            const uint32_t value_at = tiff.number(at + 8, 4);
            if (!tiff.holds(value_at, size))
                continue;
            field.value = tiff.bytes(value_at, size);
        }
        fields.push_back(std::move(field));
    }
    return true;
}

// The rebuilt block, in the source's byte order. Values that several fields share in the source
// are copied for each, so a block made to share one value countless times is cut off at limit.
class Writer {
  public:
    Writer(bool big_endian, std::size_t limit) : big_endian_(big_endian), limit_(limit) {}

    void put(std::size_t at, uint32_t value, int width) {
        for (int i = 0; i < width; ++i)
            out_[at + (big_endian_ ? width - 1 - i : i)] = static_cast<char>(value >> 8 * i);
    }
    void append(uint32_t value, int width) {
        out_.append(width, '\0');
        put(out_.size() - width, value, width);
    }
    void append(std::string_view bytes) { out_ += bytes; }
    // Values and directories begin on a word boundary.
    uint32_t aligned_end() {
        if (out_.size() % 2)
            out_ += '\0';
        return static_cast<uint32_t>(out_.size());
    }
    bool room_for(std::size_t length) {
        too_long_ = too_long_ || length > limit_ - out_.size();
        return !too_long_;
    }
    void fill(std::size_t at, std::string_view bytes) { out_.replace(at, bytes.size(), bytes); }
    bool too_long() const { return too_long_; }
    const std::string& bytes() const { return out_; }

  private:
    std::string out_;
    bool big_endian_;
    std::size_t limit_;
    bool too_long_ = false;
};

// Appends the directory, then its values and the directories below it; its offset. No
// directory follows it: the thumbnail's, which followed the main one, is left out.
uint32_t write_directory(const std::vector<Field>& fields, Writer& out) {
    const uint32_t start = out.aligned_end();
    if (!out.room_for(2 + fields.size() * EntrySize + 4))
        return start;
    out.append(static_cast<uint32_t>(fields.size()), 2);
    out.append(std::string(fields.size() * EntrySize, '\0'));
    out.append(0, 4);
    for (std::size_t i = 0; i < fields.size() && !out.too_long(); ++i) {
        const Field& field = fields[i];
        const std::size_t entry = start + 2 + i * EntrySize;
        out.put(entry, field.tag, 2);
        out.put(entry + 2, field.type, 2);
        out.put(entry + 4, field.count, 4);
        if (field.leads_below) {
            out.put(entry + 8, write_directory(field.below, out), 4);
        } else if (field.value.size() <= 4) {
            out.fill(entry + 8, field.value);
        } else if (out.room_for(field.value.size() + 1)) {
            out.put(entry + 8, out.aligned_end(), 4);
            out.append(field.value);
        }
    }
    return start;
}

} // namespace

std::string shareable_exif(std::string_view block) {
    const bool prefixed = block.substr(0, ExifHeader.size()) == ExifHeader;
    const std::string_view bytes = prefixed ? block.substr(ExifHeader.size()) : block;
    const Tiff tiff(bytes);
    if (!tiff.holds(0, TiffHeaderSize) ||
        (bytes.substr(0, 2) != "MM" && bytes.substr(0, 2) != "II") ||
        tiff.number(2, 2) != TiffMagic)
        return {};
    std::vector<Field> main;
    if (!read_directory(tiff, tiff.number(4, 4), Directory::Main, main))
        return {};
    // Each value once, a padding byte each, and directories no larger than the source's.
    Writer out(tiff.big_endian(), 2 * bytes.size() + 64);
    out.append(bytes.substr(0, 4));
    out.append(TiffHeaderSize, 4);
    write_directory(main, out);
    if (out.too_long())
        return {};
    return prefixed ? std::string(ExifHeader) + out.bytes() : out.bytes();
}
