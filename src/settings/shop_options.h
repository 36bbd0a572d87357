// The shop-ready steps of a run beyond width, quality, rotation and watermarks: a box to fit in,
// a canvas, watermarks sized as a share of the picture, slices, a file-size cap and names. They
// are set in the 更多设置 dialog (or on ombrel-batch's command line) and kept in options.ini,
// apart from config.dat. Each step is off until switched on; its values stay while it is off.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ShopOptions {
    bool fit = false; // shrunk, never enlarged, to fit inside fit_width x fit_height
    int fit_width = 800, fit_height = 800;
    bool canvas = false; // centred on a canvas of exactly that size and colour
    int canvas_width = 800, canvas_height = 800;
    uint32_t canvas_color = 0xffffff; // 0x00BBGGRR, as the colour dialog gives it
    bool image_scale = false;         // the watermark image's width, in % of the result's
    int image_scale_percent = 20;
    bool text_scale = false; // the watermark text's height, in % of the result's width
    int text_scale_percent = 5;
    bool slice = false; // a taller result is cut into slices this tall, from the top
    int slice_height = 1500;
    bool max_kb = false; // a larger result is encoded again at a lower quality
    int max_kb_value = 500;
    bool rename = false; // results named by the pattern (see image_names.h)
    std::string rename_pattern = "{name}-{n:02}";
    bool keep_metadata = false; // the EXIF block goes with the result, bar location and thumbnail
};

// The value a refusal hands the focus to.
enum class ShopField {
    FitWidth,
    FitHeight,
    CanvasWidth,
    CanvasHeight,
    ImageScale,
    TextScale,
    SliceHeight,
    MaxKb,
    RenamePattern,
};

// Why the options cannot run, in the words the program shows, and the value at fault.
struct ShopRefusal {
    ShopField field;
    const char* message;
};

// The checks of the steps switched on, in the order of the dialog: every size 1 to 9999, a
// canvas no smaller than the box it holds, the shares 1 to 100, slices 100 to 9999 tall, a cap of
// 10 to 99999 KB, and a pattern that names each image apart in characters a file name may hold.
std::optional<ShopRefusal> check_shop_options(const ShopOptions& options);

// The longest rename pattern, in bytes of code page 936.
constexpr std::size_t RenamePatternLimit = 200;

// options.ini: UTF-8 "key=value" lines. Unknown keys are ignored; a missing or bad value keeps
// its default, and a step whose values fail its checks together is switched off.
ShopOptions parse_shop_options(std::string_view text);
std::string compose_shop_options(const ShopOptions& options);
