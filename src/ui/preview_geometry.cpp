#include "ui/preview_geometry.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int WheelStep = 50;

} // namespace

// The range runs one past the picture so that the frame's far line can be scrolled into view.
PreviewScrollRange preview_scroll_range(int client_extent, int picture_extent) {
    if (client_extent < picture_extent)
        return {0, picture_extent + 1, static_cast<unsigned>(client_extent)};
    return {0, 0, UINT_MAX};
}

int preview_frame_offset(int client_extent, int picture_extent, int scroll_position) {
    if (client_extent >= picture_extent)
        return (client_extent - picture_extent) / 2;
    return -scroll_position;
}

std::optional<int> scrolled_position(ScrollRequest request, int position, int page,
                                     int track_position) {
    switch (request) {
    case ScrollRequest::LineBack:
        return position - 1;
    case ScrollRequest::LineForward:
        return position + 1;
    case ScrollRequest::PageBack:
        return position - page;
    case ScrollRequest::PageForward:
        return position + page;
    case ScrollRequest::Track:
        return track_position;
    case ScrollRequest::Other:
        break;
    }
    return std::nullopt;
}

int wheel_position(int wheel_delta, int position, int minimum, int maximum) {
    if (wheel_delta > 0)
        return std::max(position - WheelStep, minimum);
    return std::min(position + WheelStep, maximum);
}
