// The window-free arithmetic of the preview window: where the framed picture lies and how its
// scroll bars move, one axis at a time.
#pragma once
#include <optional>

// A scroll bar's range and page for one axis.
struct PreviewScrollRange {
    int minimum;
    int maximum;
    unsigned page;
};

// A picture larger than the client area scrolls over its extent and its frame; one that fits
// gets an empty range with the largest page, which hides the bar.
PreviewScrollRange preview_scroll_range(int client_extent, int picture_extent);

// Where the frame begins (the picture itself one pixel further): centred when the picture
// fits, otherwise moved back by the scroll position.
int preview_frame_offset(int client_extent, int picture_extent, int scroll_position);

// What a scroll bar asks for, on either axis.
enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, Track, Other };

// The position a request moves to (the bar keeps it within its range), or nothing for a
// request that does not move. A line is one pixel, a page the client extent.
std::optional<int> scrolled_position(ScrollRequest request, int position, int page,
                                     int track_position);

// One wheel message moves 50 pixels, up for a turn away from the user (delta above 0), down
// otherwise, and stops at the bar's minimum or maximum.
int wheel_position(int wheel_delta, int position, int minimum, int maximum);
