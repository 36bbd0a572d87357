// The 96-DPI layout at other DPIs: exact at 96, rounded to the nearest pixel (halves away from
// zero) elsewhere, with neighbours that touch still touching.
#include "support/check.h"
#include "ui/window_geometry.h"

namespace {

struct ScaleRow {
    int dpi;
    LayoutRect layout, scaled;
};

const ScaleRow scale_rows[] = {
    {96, {12, 103, 89, 21}, {12, 103, 89, 21}},
    {96, {0, 0, 687, 558}, {0, 0, 687, 558}},
    {144, {12, 103, 89, 21}, {18, 155, 134, 31}},
    {144, {0, 0, 3, 3}, {0, 0, 5, 5}},  // its right edge, 4.5, is its neighbour's left edge
    {144, {3, 3, 3, 3}, {5, 5, 4, 4}},
    {120, {12, 103, 89, 21}, {15, 129, 111, 26}},
    {144, {-3, -1, 2, 1}, {-5, -2, 3, 2}}, // left of the screen: halves away from zero too
};

void layout_rectangles_scale_by_their_edges() {
    for (const ScaleRow& r : scale_rows) {
        const LayoutRect got = scale_rect(r.layout, r.dpi);
        const std::string where = std::to_string(r.layout.x) + "," + std::to_string(r.layout.y) +
                                  " at " + std::to_string(r.dpi) + " DPI";
        check_equal(got.x, r.scaled.x, "x of " + where);
        check_equal(got.y, r.scaled.y, "y of " + where);
        check_equal(got.width, r.scaled.width, "width of " + where);
        check_equal(got.height, r.scaled.height, "height of " + where);
    }
}

const TestCase cases[] = {
    {"layout rectangles scale by their edges", layout_rectangles_scale_by_their_edges}};
const Registration registration(cases);

} // namespace
