// Where a watermark goes: the nine positions with their margins, exact to the pixel, on a
// picture with room, an odd-sized one, and one smaller than its watermark.
#include "imaging/geometry.h"
#include "support/check.h"

namespace {

struct PlacementRow {
    int image_width, image_height, watermark_width, watermark_height, h_margin, v_margin;
    int x[3]; // left, centred, right
    int y[3]; // top, centred, bottom
};

const PlacementRow placement_rows[] = {
    {800, 600, 100, 50, 16, 10, {16, 350, 684}, {10, 275, 540}},
    {101, 75, 20, 15, 0, 7, {0, 40, 81}, {7, 30, 53}},
    {50, 40, 81, 61, 3, 4, {3, -15, -34}, {4, -10, -25}}, // centred: clipped evenly
};

void the_nine_positions_keep_their_margins() {
    for (const PlacementRow& r : placement_rows)
        for (int h = 1; h <= 3; ++h)
            for (int v = 1; v <= 3; ++v) {
                const Placement at =
                    place_watermark(r.image_width, r.image_height, r.watermark_width,
                                    r.watermark_height, h, r.h_margin, v, r.v_margin);
                const std::string where = std::to_string(r.image_width) + " wide, position " +
                                          std::to_string(h) + "," + std::to_string(v);
                check_equal(at.x, r.x[h - 1], "x on " + where);
                check_equal(at.y, r.y[v - 1], "y on " + where);
            }
}

const TestCase cases[] = {
    {"the nine positions keep their margins", the_nine_positions_keep_their_margins}};
const Registration registration(cases);

} // namespace
