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
    {144, {12, 103, 89, 21}, {18, 155, 134, 31}},
    {120, {12, 103, 89, 21}, {15, 129, 111, 26}},
    {144, {0, 0, 3, 3}, {0, 0, 5, 5}}, // its right edge, 4.5, is its neighbour's left edge
    {144, {3, 3, 3, 3}, {5, 5, 4, 4}},
    {144, {-3, -1, 2, 1}, {-5, -2, 3, 2}}, // left of the screen: halves away from zero too
};

std::string text(const LayoutRect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}

void layout_rectangles_scale_by_their_edges() {
    for (const ScaleRow& r : scale_rows)
        check_equal(text(scale_rect(r.layout, r.dpi)), text(r.scaled),
                    text(r.layout) + " at " + std::to_string(r.dpi) + " DPI");
}

const TestCase cases[] = {
    {"layout rectangles scale by their edges", layout_rectangles_scale_by_their_edges}};
const Registration registration(cases);

} // namespace
