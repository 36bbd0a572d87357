#include <gtest/gtest.h>

#include <climits>

#include "ui/preview_geometry.h"

TEST(PreviewGeometry, ScrollRangesCoverThePictureAndItsFrame) {
    const struct {
        int client, picture, maximum;
        unsigned page;
    } cases[] = {
        {1000, 500, 0, UINT_MAX},  // fits: no bar
        {1000, 1000, 0, UINT_MAX}, // exactly as wide: no bar either
        {999, 1000, 1001, 999},    {1000, 2000, 2001, 1000}, {700, 1500, 1501, 700}, {0, 10, 11, 0},
    };
    for (const auto& c : cases) {
        const PreviewScrollRange range = preview_scroll_range(c.client, c.picture);
        EXPECT_EQ(range.minimum, 0);
        EXPECT_EQ(range.maximum, c.maximum) << c.client << " / " << c.picture;
        EXPECT_EQ(range.page, c.page) << c.client << " / " << c.picture;
    }
}

TEST(PreviewGeometry, TheFrameIsCentredOrMovedByTheScrollPosition) {
    const struct {
        int client, picture, position, offset;
    } cases[] = {
        {1000, 500, 0, 250},  {700, 300, 0, 200}, {1001, 500, 0, 250}, // truncated
        {1000, 500, 40, 250},                                          // fits: no scrolling
        {1000, 1000, 0, 0},   {1000, 2000, 0, 0}, {1000, 2000, 300, -300}, {700, 1500, 802, -802},
    };
    for (const auto& c : cases)
        EXPECT_EQ(preview_frame_offset(c.client, c.picture, c.position), c.offset)
            << c.client << " / " << c.picture << " at " << c.position;
}

TEST(PreviewGeometry, LinePageAndThumbRequests) {
    const struct {
        ScrollRequest request;
        std::optional<int> position;
    } cases[] = {
        {ScrollRequest::LineBack, 99},   {ScrollRequest::LineForward, 101},
        {ScrollRequest::PageBack, -600}, {ScrollRequest::PageForward, 800},
        {ScrollRequest::Track, 1234},    {ScrollRequest::Other, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scrolled_position(c.request, 100, 700, 1234), c.position)
            << static_cast<int>(c.request);
}

TEST(PreviewGeometry, OneWheelStepOf50PixelsWithinTheRange) {
    const struct {
        int delta, position, result;
    } cases[] = {
        {120, 100, 50},     {360, 100, 50},                    // one step, whatever the delta
        {120, 30, 0},       {-120, 100, 150},   {0, 100, 150}, // 0 counts as towards the user
        {-120, 1480, 1501}, {-120, 1501, 1501},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wheel_position(c.delta, c.position, 0, 1501), c.result)
            << c.delta << " at " << c.position;
}
