// options.ini and the checks of the shop-ready steps.
#include "settings/shop_options.h"
#include "support/check.h"

namespace {

// What a hand-edited or damaged file loads: unknown keys and bad values pass, a step whose
// values clash is switched off; what the program writes reads back the same.
void the_stored_steps() {
    const ShopOptions loaded = parse_shop_options(
        "\xEF\xBB\xBF"
        "fit=1\r\nfit_width=750\r\nfit_height=0\r\ncanvas=1\r\ncanvas_width=700\r\n"
        "canvas_color=#FF8000\r\nslice=yes\r\nslice_height=1200\r\nmax_kb=1\r\n"
        "max_kb_value=99\r\nrename=1\r\nrename_pattern=SKU-{n:03} 样\r\ncolour=red\r\nfit_width");
    check(loaded.fit && loaded.fit_width == 750 && loaded.fit_height == 800, "fit: bad height");
    check(!loaded.canvas && loaded.canvas_width == 800, "a canvas narrower than the box is off");
    check(!loaded.slice && loaded.slice_height == 1200, "slice: a flag is 0 or 1");
    check(loaded.max_kb && loaded.max_kb_value == 99, "max_kb");
    check_equal(loaded.rename_pattern, std::string("SKU-{n:03} 样"), "the pattern");
    ShopOptions written = loaded;
    written.canvas_color = 0x0080ff;
    const ShopOptions read = parse_shop_options(compose_shop_options(written));
    check(compose_shop_options(read) == compose_shop_options(written), "written and read back");
    check_equal(read.canvas_color, 0x0080ffu, "canvas colour");
}

// Each pattern as the checks judge it: null when it may run.
void rename_patterns() {
    const struct {
        const char* pattern;
        const char* refusal; // a word of it
    } rows[] = {
        {"{name}", nullptr},   {"SKU123-{n:03}", nullptr}, {"{folder}_{n}", nullptr},
        {"主图", "必须含有"},  {"{folder}", "必须含有"},   {"", "必须含有"},
        {"{n:3}", "只能用于"}, {"{num}", "只能用于"},      {"a}{n}", "只能用于"},
        {"{n", "只能用于"},    {"a/{n}", "不能含有"},      {"a?{n}", "不能含有"},
    };
    for (const auto& row : rows) {
        ShopOptions options;
        options.rename = true;
        options.rename_pattern = row.pattern;
        const auto refusal = check_shop_options(options);
        check(refusal.has_value() == (row.refusal != nullptr), row.pattern);
        if (refusal)
            check(std::string(refusal->message).find(row.refusal) != std::string::npos &&
                      refusal->field == ShopField::RenamePattern,
                  row.pattern);
    }
}

// A step's values are judged only while it is on; the canvas may not be smaller than the box.
void the_checks_of_the_sizes() {
    ShopOptions options;
    options.slice_height = 99;
    options.canvas_width = 500;
    check(!check_shop_options(options), "steps that are off");
    options.slice = true;
    check(check_shop_options(options)->field == ShopField::SliceHeight, "slice 99");
    options.slice_height = 100;
    options.canvas = options.fit = true;
    check(check_shop_options(options)->field == ShopField::CanvasWidth, "canvas < box");
    options.fit_width = 500;
    check(!check_shop_options(options), "canvas = box");
}

const TestCase cases[] = {
    {"the stored steps", the_stored_steps},
    {"rename patterns", rename_patterns},
    {"the checks of the sizes", the_checks_of_the_sizes},
};
const Registration registration(cases);

} // namespace
