// What the pipeline does to every image of a run, decided once from the checked settings and
// the switches of the form.
#pragma once
#include <optional>
#include <string>

#include "core/form.h"
#include "imaging/geometry.h"
#include "settings/settings.h"

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
    // The shop-ready steps, after the width.
    std::optional<ImageSize> box;    // shrunk to fit inside: the fit box, else the canvas
    std::optional<ImageSize> canvas; // centred on a canvas of exactly this size...
    std::string canvas_colour;       // ...in this colour, "#rrggbb"
    int image_scale_percent = 0;     // the watermark image's width in % of the result's; 0: as is
    int text_scale_percent = 0;      // the text's height in % of the result's width; 0: as set
    int slice_height = 0;            // a taller result is cut into slices; 0: never
    int max_kb = 0;                  // a larger result is encoded again; 0: no cap

    // Where a watermark preview differs from a batch on purpose.
    bool raise_quality = false; // the chosen quality is set whatever the image's own, to be seen
    bool only_png_on_white = false; // a GIF sample shows as it is written, only a PNG on white
};

// A list without a selection never reaches a value table: no rotation, no quality change, full
// opacity, and a centred position.
PipelineOptions pipeline_options(const FormSnapshot& form, const Settings& settings);
