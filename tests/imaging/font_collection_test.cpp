// One face of a font collection as a font of its own, and damaged collections.
#include <cstdint>

#include "imaging/font_collection.h"
#include "support/check.h"

namespace {

std::string u32(uint32_t v) {
    return {char(v >> 24), char(v >> 16 & 0xFF), char(v >> 8 & 0xFF), char(v & 0xFF)};
}

// An offset table with one record per tag: checksum 7, then offset and length.
std::string directory(const std::string& tags, std::vector<uint32_t> at_length) {
    std::string d = u32(0x00010000) + char(0) + char(tags.size() / 4) + std::string(6, '\0');
    for (std::size_t t = 0; t < tags.size() / 4; ++t)
        d += tags.substr(4 * t, 4) + u32(7) + u32(at_length[2 * t]) + u32(at_length[2 * t + 1]);
    return d;
}

// Two faces sharing table "glyf" (5 bytes at 100); the second also has "name" (3 bytes at 108).
const std::string first = directory("glyf", {100, 5});
const std::string second = directory("glyfname", {100, 5, 108, 3});
const std::string header = "ttcf" + u32(0x00010000) + u32(2) + u32(20) + u32(48) + first + second;
const std::string collection = header + std::string(100 - header.size(), '\0') + "GLYPH...NAM";

void the_second_face_stands_alone() {
    check_equal(collection_face_as_font(collection, second),
                directory("glyfname", {44, 5, 52, 3}) + std::string("GLYPH\0\0\0NAM\0", 12),
                "the face's file");
}

void damaged_or_foreign_faces_give_nothing() {
    check(collection_face_as_font(collection.substr(0, 105), second).empty(), "a table cut short");
    check(collection_face_as_font(collection, directory("glyf", {100, 4})).empty(), "no such face");
}

const TestCase cases[] = {
    {"the second face stands alone", the_second_face_stands_alone},
    {"damaged or foreign faces give nothing", damaged_or_foreign_faces_give_nothing},
};
const Registration registration(cases);

} // namespace
