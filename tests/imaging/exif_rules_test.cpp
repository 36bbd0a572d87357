// A phone's EXIF block kept without its location and thumbnail, and damaged blocks.
#include <cstdint>

#include "imaging/exif_rules.h"
#include "support/check.h"

namespace {

// Numbers in the block's byte order.
struct Order {
    bool big;
    std::string n(uint32_t value, int width) const {
        std::string bytes;
        for (int i = 0; i < width; ++i)
            bytes += char(value >> 8 * (big ? width - 1 - i : i) & 0xFF);
        return bytes;
    }
    std::string header() const { return std::string(big ? "MM" : "II") + n(42, 2) + n(8, 4); }
    // A directory entry: tag, type, count, value or offset.
    std::string entry(uint16_t tag, uint16_t type, uint32_t count, const std::string& value) const {
        return n(tag, 2) + n(type, 2) + n(count, 4) + value + std::string(4 - value.size(), '\0');
    }
    std::string directory(const std::string& entries, uint32_t next = 0) const {
        return n(entries.size() / 12, 2) + entries + n(next, 4);
    }
};

const std::string make = std::string("Phone", 6), exposure = "1/100exp", thumb = "\xff\xd8THUMB";
const std::string latitude = "31deg13min49.44secNorth."; // three rationals

// Main: make, orientation 6, Exif and GPS directories, a thumbnail directory after it. Exif:
// an exposure and an interoperability directory. GPS: N and a latitude.
std::string phone_block(const Order& o) {
    const std::string main =
        o.directory(o.entry(0x010F, 2, 6, o.n(62, 4)) + o.entry(0x0112, 3, 1, o.n(6, 2)) +
                        o.entry(0x8769, 4, 1, o.n(68, 4)) + o.entry(0x8825, 4, 1, o.n(124, 4)),
                    154);
    const std::string exif =
        o.directory(o.entry(0x829A, 5, 1, o.n(98, 4)) + o.entry(0xA005, 4, 1, o.n(106, 4)));
    const std::string interop = o.directory(o.entry(0x0001, 2, 4, "R98"));
    const std::string gps =
        o.directory(o.entry(0x0001, 2, 2, "N") + o.entry(0x0002, 5, 3, o.n(154 + 30 + 7, 4)));
    const std::string ifd1 = o.directory(o.entry(0x0201, 4, 1, o.n(184, 4)) +
                                         o.entry(0x0202, 4, 1, o.n(thumb.size(), 4)));
    // 8 main, 62 make, 68 exif, 98 exposure, 106 interop, 124 gps, 154 ifd1, 184 thumbnail,
    // 191 latitude
    return o.header() + main + make + exif + exposure + interop + gps + ifd1 + thumb + latitude;
}

// The same block rebuilt: the make, an upright orientation and the Exif directory, the values
// after each directory.
std::string kept_block(const Order& o) {
    return o.header() +
           o.directory(o.entry(0x010F, 2, 6, o.n(50, 4)) + o.entry(0x0112, 3, 1, o.n(1, 2)) +
                       o.entry(0x8769, 4, 1, o.n(56, 4))) +
           make +
           o.directory(o.entry(0x829A, 5, 1, o.n(86, 4)) + o.entry(0xA005, 4, 1, o.n(94, 4))) +
           exposure + o.directory(o.entry(0x0001, 2, 4, "R98"));
}

void a_phone_block_loses_its_location_and_thumbnail() {
    for (const Order o : {Order{true}, Order{false}}) {
        const std::string order = o.big ? "big-endian" : "little-endian";
        check(phone_block(o).size() == 191 + latitude.size(), "the phone block's layout");
        check_equal(shareable_exif(phone_block(o)), kept_block(o), order + " block");
        check_equal(shareable_exif("Exif" + std::string(2, '\0') + phone_block(o)),
                    "Exif" + std::string(2, '\0') + kept_block(o),
                    order + " block with its header");
    }
}

// Damaged blocks give nothing or leave out the field they damage; a value shared by many fields
// does not make the block grow beyond reason.
void damaged_blocks() {
    const Order o{true};
    const std::string block = phone_block(o);
    const struct {
        const char* what;
        std::string block;
    } empty[] = {
        {"nothing", ""},
        {"a header alone", "Exif" + std::string(2, '\0')},
        {"no TIFF magic", "MM" + o.n(43, 2) + o.n(8, 4) + block.substr(8)},
        {"the main directory beyond the end", o.header().substr(0, 4) + o.n(5000, 4)},
        {"entries beyond the end", block.substr(0, 40)},
        {"a shared value many times over", o.header() + o.directory([&] {
             std::string entries;
             for (int i = 0; i < 200; ++i)
                 entries += o.entry(0x9286, 7, 100, o.n(8 + 2 + 200 * 12 + 4, 4));
             return entries;
         }()) + std::string(100, 'c')},
    };
    for (const auto& c : empty)
        check(shareable_exif(c.block).empty(), c.what);

    std::string value_outside = block;
    value_outside.replace(8 + 2 + 8, 4, o.n(4000, 4)); // the make's offset
    const std::string kept = shareable_exif(value_outside);
    check(!kept.empty() && kept.find("Phone") == std::string::npos &&
              kept.find("1/100exp") != std::string::npos,
          "a value outside the block leaves its field out");
}

const TestCase cases[] = {
    {"a phone block loses its location and thumbnail",
     a_phone_block_loses_its_location_and_thumbnail},
    {"damaged blocks", damaged_blocks},
};
const Registration registration(cases);

} // namespace
