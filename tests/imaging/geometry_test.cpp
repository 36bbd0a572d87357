#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/geometry.h"

TEST(ResizedHeight, KeepsTheAspectRatioTruncatedAndAtLeastOne) {
    struct Case {
        int width, height, target, expected;
    };
    const Case cases[] = {
        {1000, 600, 750, 450},
        {1000, 333, 500, 166},          // 166.5 truncated
        {3000, 1, 750, 1},              // 0.25 raised to 1
        {3, 2, 2, 1},                   // 1.33 truncated
        {200000, 100000, 30000, 15000}, // the product exceeds 32 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(resized_height(c.width, c.height, c.target), c.expected)
            << c.width << "x" << c.height << " to " << c.target;
}

// Image 800 x 600, watermark 200 x 100, margins 16: every combination of the two axes.
TEST(PlaceWatermark, NinePositions) {
    struct Case {
        int h_direction, v_direction, x, y;
    };
    const Case cases[] = {
        {1, 1, 16, 16},   {2, 1, 300, 16}, {3, 1, 584, 16},  {1, 2, 16, 250},  {2, 2, 300, 250},
        {3, 2, 584, 250}, {1, 3, 16, 484}, {2, 3, 300, 484}, {3, 3, 584, 484},
    };
    for (const Case& c : cases) {
        const Placement at =
            place_watermark(800, 600, 200, 100, c.h_direction, 16, c.v_direction, 16);
        EXPECT_EQ(at.x, c.x) << c.h_direction << "/" << c.v_direction;
        EXPECT_EQ(at.y, c.y) << c.h_direction << "/" << c.v_direction;
    }
}

TEST(PlaceWatermark, UnknownDirectionsActAsFarEdge) {
    for (int direction : {0, 4, -1, 99}) {
        const Placement at = place_watermark(800, 600, 200, 100, direction, 10, direction, 20);
        EXPECT_EQ(at.x, 590) << direction;
        EXPECT_EQ(at.y, 480) << direction;
    }
}

TEST(PlaceWatermark, MarginsOnlyCountOnTheirOwnEdges) {
    const Placement centred = place_watermark(800, 600, 200, 100, 2, 999, 2, 999);
    EXPECT_EQ(centred.x, 300);
    EXPECT_EQ(centred.y, 250);
    const Placement odd = place_watermark(101, 51, 50, 20, 2, 0, 2, 0);
    EXPECT_EQ(odd.x, 25); // 25.5 truncated
    EXPECT_EQ(odd.y, 15);
}

TEST(PlaceWatermark, OversizedWatermarksAndMarginsGiveNegativeOffsets) {
    EXPECT_EQ(place_watermark(100, 80, 151, 50, 2, 16, 1, 0).x, -25); // -25.5 toward zero
    EXPECT_EQ(place_watermark(100, 80, 50, 181, 1, 0, 2, 16).y, -50); // -50.5 toward zero
    EXPECT_EQ(place_watermark(100, 80, 60, 20, 3, 70, 1, 0).x, -30);
    EXPECT_EQ(place_watermark(100, 80, 60, 20, 1, 0, 3, 90).y, -30);
}

// Metrics of a text: m1 40 (character height), m3 -9 (descender), m11 120.5 (advance).
TEST(PlaceText, StartAndBaselineFollowTheMetrics) {
    struct Case {
        int h_direction, v_direction;
        double x, y;
    };
    const Case cases[] = {
        {3, 3, 663.5, 584.0},  // advance ends at 784, baseline 16 above the bottom
        {1, 1, 16.0, 47.0},    // baseline at m1 + m3 + 16
        {2, 2, 339.75, 315.5}, // (800 - m11) / 2, (m1 + m3 + 600) / 2, unrounded
        {1, 3, 16.0, 584.0},   {3, 1, 663.5, 47.0},
        {0, 7, 663.5, 584.0}, // unknown directions act as the far edge
    };
    for (const Case& c : cases) {
        const TextPlacement at =
            place_text(800, 600, 40, -9, 120.5, c.h_direction, 16, c.v_direction, 16);
        EXPECT_DOUBLE_EQ(at.x, c.x) << c.h_direction << "/" << c.v_direction;
        EXPECT_DOUBLE_EQ(at.y, c.y) << c.h_direction << "/" << c.v_direction;
    }
}

TEST(PlaceText, AWideCentredTextStartsLeftOfTheImage) {
    EXPECT_DOUBLE_EQ(place_text(100, 60, 40, -9, 151, 2, 16, 2, 16).x, -25.5);
}

TEST(JpegDecodeScale, LeavesAtLeastTwiceTheTargetWidth) {
    const struct {
        int width, target, scale;
    } cases[] = {{4000, 750, 2},   {6000, 750, 4}, {2999, 750, 1}, {3000, 750, 2},
                 {100000, 750, 8}, {1000, 750, 1}, {4000, 0, 1},   {4000, -5, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(jpeg_decode_scale(c.width, c.target), c.scale) << c.width << " to " << c.target;
        EXPECT_GE(c.width / jpeg_decode_scale(c.width, c.target), std::min(c.width, 2 * c.target));
    }
}
