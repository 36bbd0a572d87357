// What the pipeline does to every image of a run, decided once from the checked settings and
// the switches of the form.
#pragma once
#include "core/form.h"
#include "settings/settings.h"

// Clockwise degrees by RotateCombo selection (" 90度", "180度", "270度").
constexpr int rotation_angles[3] = {90, 180, 270};

// A placement: direction code 1 near edge, 2 centred, 3 far edge, and the margin in pixels.
struct AxisPlacement {
    int direction;
    int margin;
};

struct PipelineOptions {
    bool rotate = false;
    double angle = 0;
    bool resize = false;
    int width = 0;
    bool set_quality = false;
    int quality = 0; // lowered to this, never raised
    bool text_watermark = false;
    AxisPlacement text_horz{}, text_vert{};
    double opacity = 1.0;
    bool image_watermark = false;
    AxisPlacement image_horz{}, image_vert{};
    bool keep_metadata = false; // the EXIF block goes with the result, bar location and thumbnail
};

// A list without a selection never reaches a value table: no rotation, no quality change, full
// opacity, and a centred position.
PipelineOptions pipeline_options(const FormSnapshot& form, const Settings& settings);
