// The watermark previews from the window: the sample they pick, what they write into the
// temporary folder, their refusals, and the preview window that shows the result.
#include "scenarios.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

const char ChineseFontWarning[] =
    "水印文字中含有中文，你需要选择一个中文字体，否则中文会显示乱码。";

// A picture made by ImageMagick's convert from its arguments.
void make_picture(const std::string& path, const std::string& arguments) {
    produce_file("/usr/bin/convert " + arguments, unix_path(path));
}

// What ImageMagick's identify says of a picture, in its -format escapes.
std::string picture_facts(const Scene& scene, const std::string& path, const std::string& format) {
    const std::string facts = scene.work + "\\facts.txt";
    produce_file("/usr/bin/identify -format '" + format + "' '" + unix_path(path) + "' >",
                 unix_path(facts));
    return read_text_file(facts);
}

struct PictureSize {
    int width = 0;
    int height = 0;
};

PictureSize picture_size(const Scene& scene, const std::string& path) {
    std::istringstream facts(picture_facts(scene, path, "%w %h"));
    PictureSize size;
    facts >> size.width >> size.height;
    return size;
}

// Red, green and blue from 0 to 255 of one pixel.
struct Rgb {
    int red = -1, green = -1, blue = -1;
};

Rgb picture_pixel(const Scene& scene, const std::string& path, int x, int y) {
    const std::string at = "p{" + std::to_string(x) + "," + std::to_string(y) + "}";
    std::istringstream facts(picture_facts(scene, path,
                                           "%[fx:int(255*" + at + ".r)] %[fx:int(255*" + at +
                                               ".g)] %[fx:int(255*" + at + ".b)]"));
    Rgb rgb;
    facts >> rgb.red >> rgb.green >> rgb.blue;
    return rgb;
}

// The program's settings with a watermark text and font of its own.
void write_config(const Scene& scene, const std::string& text, const std::string& font) {
    write_text_file(scene.program_folder + "\\config.dat",
                    "width=750\r\nquanlity=2\r\nsy_text=" + text +
                        "\r\nsy_text_opacity=0\r\nsy_text_w_direction=2\r\nsy_text_w_value=16\r\n"
                        "sy_text_h_direction=2\r\nsy_text_h_value=16\r\nsy_text_fontName=" +
                        font +
                        "\r\nsy_text_fontSize=26\r\nsy_text_isItalic=0\r\nsy_text_isWeight=0\r\n"
                        "sy_text_htmlColor=#000000\r\nsy_text_rgbColors=0\r\nsy_image=\r\n"
                        "sy_image_w_direction=2\r\nsy_image_w_value=16\r\n"
                        "sy_image_h_direction=2\r\nsy_image_h_value=16\r\n");
}

std::string temp_file(const Scene& scene, const char* name) {
    return scene.program_folder + "\\temp\\" + name;
}

HWND preview_window(const App& app) {
    const auto windows = top_windows(app.id(), "Preview");
    return windows.empty() ? nullptr : windows.front();
}

// Clicks a preview button and returns once the preview is made and shown: the button's click
// returns when its preview is done.
HWND preview(const App& app, const char* button) {
    click(app[button]);
    expect(is_enabled(app[button]), std::string(button) + " is enabled again");
    const HWND window = preview_window(app);
    expect(window && is_visible(window), "the preview window shows the preview");
    return window;
}

void hide_preview(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    wait_until([&] { return !is_visible(window); }, "the preview window to hide");
}

// A refusal of a preview: its message, the focus it leaves, the button back, nothing written.
void expect_refusal(const App& app, const char* button, const std::string& text, BoxIcon icon,
                    const char* focus, const std::string& file) {
    post_click(app[button]);
    const MessageBoxView box = expect_message_box(app.id(), "提示", text, icon, {IDOK});
    expect(GetWindow(box.window, GW_OWNER) == app.main, "the refusal belongs to the window");
    expect(!is_enabled(app[button]), "the button is off while its preview runs");
    answer(box, IDOK);
    wait_until([&] { return focus_of(app.main) == app[focus]; },
               std::string("the focus on ") + focus);
    wait_until([&] { return is_enabled(app[button]); }, "the button to be enabled again");
    expect(!file_exists(file), "no preview file after a refusal");
    const HWND window = preview_window(app);
    expect(window && !is_visible(window), "the preview window stays hidden");
}

void expect_size(const PictureSize& size, int width, int height, const std::string& what) {
    expect_number(size.width, width, what + " width");
    expect_number(size.height, height, what + " height");
}

void expect_no_bars(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    expect(!(style & (WS_HSCROLL | WS_VSCROLL)), "a picture that fits shows no scroll bars");
}

void scroll(HWND window, UINT message, int request, int times = 1) {
    for (int i = 0; i < times; ++i)
        SendMessageA(window, message, request, 0);
}

void turn_wheel(HWND window, int delta) {
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
}

// A pixel of the preview window's client area as the screen shows it, once painted.
DWORD client_pixel(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    return screen_pixel(at);
}

bool close_to(DWORD pixel, DWORD colour) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((pixel >> shift) & 0xFF) - int((colour >> shift) & 0xFF)) > 24)
            return false;
    return true;
}

constexpr DWORD Black = 0x000000, White = 0xFFFFFF, Orange = 0xFFA500;

// Waits until the pixel shows the colour: the window paints when it gets round to it.
void expect_pixel(HWND window, int x, int y, DWORD colour, const std::string& what) {
    DWORD shown = 0;
    try {
        wait_until([&] { return close_to(shown = client_pixel(window, x, y), colour); }, what);
    } catch (const ScenarioFailure&) {
        char text[64];
        std::snprintf(text, sizeof text, "%06lX, expected %06lX", static_cast<unsigned long>(shown),
                      static_cast<unsigned long>(colour));
        throw ScenarioFailure(what + " at (" + std::to_string(x) + ", " + std::to_string(y) +
                              "): " + text);
    }
}

void expect_bars(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    expect((style & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL),
           "a picture larger than the window shows both scroll bars");
}

// Restores the window from its maximised state and sizes it so that its client area is
// width x height as long as its scroll bars stay as they are.
void size_client(HWND window, int width, int height) {
    ShowWindow(window, SW_RESTORE);
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, width + (outer.right - outer.left) - client.right,
                 height + (outer.bottom - outer.top) - client.bottom, SWP_NOZORDER);
    GetClientRect(window, &client);
    expect(client.right == width && client.bottom == height,
           "the preview window's client area is " + std::to_string(width) + " x " +
               std::to_string(height));
}

} // namespace

void preview_still_sample(Scene& scene) {
    const std::string source = scene.work + "\\商品";
    make_folder(source);
    make_picture(source + "\\a.gif", "-delay 20 -size 30x20 xc:red xc:blue");
    make_picture(source + "\\b.jpg", "-size 640x400 xc:orange -quality 70");
    write_config(scene, "SHOP", "DejaVu Sans");
    App app = start_app(scene);
    const HWND window = preview_window(app);
    expect(window && !is_visible(window), "start-up creates the preview window hidden");
    expect_text(text_of(window), "预览", "preview window caption");
    click(app["TextWatermarkCheck"]);
    set_text(app["SourceFolderEdit"], source);

    preview(app, "TextPreviewButton");
    expect(IsZoomed(window), "a hidden preview window comes up maximised");
    wait_until([&] { return GetForegroundWindow() == window; }, "the preview window to be active");
    const std::string file = temp_file(scene, "sy_text.jpg");
    expect_size(picture_size(scene, file), 640, 400, "the animated GIF is passed over:");
    expect_text(picture_facts(scene, file, "%m %Q"), "JPEG 90",
                "the preview is a JPEG at the chosen quality, not the sample's 70");
    expect(std::stod(picture_facts(scene, file, "%[fx:minima.r]")) < 0.3,
           "the black watermark text is drawn on the orange sample");
    size_client(window, 900, 600);
    expect_pixel(window, 130, 100, Black, "the frame's top left corner");
    expect_pixel(window, 131, 101, Orange, "the preview's top left pixel");
    save_screenshot(scene.screenshot);
}

void preview_subfolder_sample(Scene& scene) {
    const std::string source = scene.work + "\\src";
    make_folder(source);
    make_folder(source + "\\a");
    make_folder(source + "\\a\\deeper");
    make_folder(source + "\\b");
    write_text_file(source + "\\notes.txt", "no picture");
    make_picture(source + "\\a\\deeper\\x.jpg", "-size 50x40 xc:green");
    make_picture(source + "\\a\\p.png", "-size 60x30 xc:teal");
    make_picture(source + "\\b\\q.jpg", "-size 70x20 xc:navy");
    const std::string watermark = scene.work + "\\mark.png";
    make_picture(watermark, "-size 10x10 xc:white");
    App app = start_app(scene);
    set_text(app["SourceFolderEdit"], source);
    click(app["ImageWatermarkCheck"]);
    set_text(app["ImageEdit"], watermark);

    // Without subfolders the source holds no image.
    post_click(app["ImagePreviewButton"]);
    answer(expect_message_box(app.id(), "提示", "在[图片源文件夹]中，没有找到需要处理的图片",
                              BoxIcon::Error, {IDOK}),
           IDOK);
    wait_until([&] { return focus_of(app.main) == app["SourceFolderButton"]; },
               "the focus on SourceFolderButton");
    click(app["SubfoldersCheck"]);
    preview(app, "ImagePreviewButton");
    expect_size(picture_size(scene, temp_file(scene, "sy_image.jpg")), 60, 30,
                "the first image of the first subfolder:");
}

void preview_png_on_white(Scene& scene) {
    const std::string source = scene.work + "\\src";
    make_folder(source);
    // Left half transparent, right half opaque red.
    make_picture(source + "\\half.png",
                 "-size 80x40 xc:none -fill red -draw 'rectangle 40,0 79,39'");
    write_config(scene, "A", "DejaVu Sans");
    App app = start_app(scene);
    set_text(app["SourceFolderEdit"], source);
    click(app["TextWatermarkCheck"]);
    choose_entry(app["TextHorzCombo"], 1); // the text at the left top, away from the probes
    set_text(app["TextHorzEdit"], "0");
    choose_entry(app["TextVertCombo"], 1);
    set_text(app["TextVertEdit"], "0");
    preview(app, "TextPreviewButton");
    const std::string file = temp_file(scene, "sy_text.jpg");
    const Rgb clear = picture_pixel(scene, file, 30, 30);
    expect(clear.red > 240 && clear.green > 240 && clear.blue > 240,
           "the transparent half is white, not " + std::to_string(clear.red) + "," +
               std::to_string(clear.green) + "," + std::to_string(clear.blue));
    const Rgb red = picture_pixel(scene, file, 60, 30);
    expect(red.red > 200 && red.green < 60 && red.blue < 60, "the opaque half stays red");
}

void preview_refusals(Scene& scene) {
    const std::string source = scene.work + "\\src";
    make_folder(source);
    make_picture(source + "\\a.jpg", "-size 40x30 xc:orange");
    const std::string watermark = scene.work + "\\mark.png";
    make_picture(watermark, "-size 10x10 xc:white");
    write_config(scene, "店铺", "DejaVu Sans");
    App app = start_app(scene);
    set_text(app["SourceFolderEdit"], source);

    // Chinese text with a Latin font: the preview's own words, the focus on the font button.
    click(app["TextWatermarkCheck"]);
    expect_refusal(app, "TextPreviewButton", ChineseFontWarning, BoxIcon::Warning, "FontButton",
                   temp_file(scene, "sy_text.jpg"));

    // A watermark image deleted since it was chosen.
    click(app["ImageWatermarkCheck"]);
    set_text(app["ImageEdit"], watermark);
    DeleteFileA(watermark.c_str());
    expect_refusal(app, "ImagePreviewButton", "水印图片不存在，请重新选择", BoxIcon::Error,
                   "ImageButton", temp_file(scene, "sy_image.jpg"));
    save_screenshot(scene.screenshot);

    // A file in the place of the temporary folder; the focus stays on the button.
    make_picture(watermark, "-size 10x10 xc:white");
    write_text_file(scene.program_folder + "\\temp", "a file, not a folder");
    expect_refusal(app, "ImagePreviewButton", "创建效果预览临时文件夹时出错", BoxIcon::Error,
                   "ImagePreviewButton", temp_file(scene, "sy_image.jpg"));
}

void preview_twice(Scene& scene) {
    const std::string source = scene.work + "\\src";
    make_folder(source);
    make_picture(source + "\\a.jpg", "-size 400x300 xc:orange");
    const std::string watermark = scene.work + "\\mark.png";
    make_picture(watermark, "-size 20x20 xc:blue");
    App app = start_app(scene);
    set_text(app["SourceFolderEdit"], source);
    click(app["ImageWatermarkCheck"]);
    set_text(app["ImageEdit"], watermark);
    const std::string file = temp_file(scene, "sy_image.jpg");

    const HWND window = preview(app, "ImagePreviewButton");
    expect_size(picture_size(scene, file), 400, 300, "the first preview:");
    // Shown again over the window that is still up, and once more after it was closed.
    click(app["WidthCheck"]);
    set_text(app["WidthEdit"], "200");
    preview(app, "ImagePreviewButton");
    expect_size(picture_size(scene, file), 200, 150, "the second preview:");
    hide_preview(window);
    set_text(app["WidthEdit"], "100");
    preview(app, "ImagePreviewButton");
    expect(IsZoomed(window), "the closed window comes back maximised");
    expect_size(picture_size(scene, file), 100, 75, "the third preview:");
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((scene.program_folder + "\\temp\\*").c_str(), &found);
    expect(find != INVALID_HANDLE_VALUE, "the temporary folder can be listed");
    do
        if (found.cFileName[0] != '.')
            names.push_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    expect(names == std::vector<std::string>{"sy_image.jpg"},
           "the temporary folder holds the one preview file");
}

void preview_window_geometry(Scene& scene) {
    const std::string source = scene.work + "\\src";
    make_folder(source);
    make_picture(source + "\\a.jpg", "-size 500x300 xc:orange");
    const std::string watermark = scene.work + "\\mark.png";
    make_picture(watermark, "-size 2x2 xc:orange");
    App app = start_app(scene);
    set_text(app["SourceFolderEdit"], source);
    click(app["ImageWatermarkCheck"]);
    set_text(app["ImageEdit"], watermark);

    // Fits: centred in its frame, no bars. (Without a window manager the X window keeps its
    // size when maximised, so the picture is looked at in a window sized here.)
    const HWND window = preview(app, "ImagePreviewButton");
    expect(IsZoomed(window), "the preview window comes up maximised");
    size_client(window, 1000, 700);

    expect_no_bars(window);
    expect_pixel(window, 250, 350, Black, "the frame's left line");
    expect_pixel(window, 751, 350, Black, "the frame's right line");
    expect_pixel(window, 500, 200, Black, "the frame's top line");
    expect_pixel(window, 500, 501, Black, "the frame's bottom line");
    expect_pixel(window, 251, 201, Orange, "the picture's first pixel");
    expect_pixel(window, 750, 500, Orange, "the picture's last pixel");
    expect_pixel(window, 249, 350, White, "the background left of the frame");
    expect_pixel(window, 752, 502, White, "the background below the frame");

    // Too large: both bars, over the picture and its frame; the frame moves with the bars.
    // (The bars' ranges and the wheel are read with GetScrollInfo in the window's Wine test.)
    make_picture(source + "\\a.jpg", "-size 2000x1500 xc:orange");
    preview(app, "ImagePreviewButton");
    // (Wine maximises the window again whenever windows are activated, as it still bears the
    // maximised state for the X server; sized once more.)
    size_client(window, 1000, 700);
    expect_bars(window);
    RECT client;
    GetClientRect(window, &client);
    expect_pixel(window, 0, 200, Black, "the frame's left line at position 0");
    expect_pixel(window, 200, 0, Black, "the frame's top line at position 0");
    scroll(window, WM_HSCROLL, SB_LINERIGHT);
    expect_pixel(window, 0, 200, Orange, "the picture at the left edge one line on");
    scroll(window, WM_HSCROLL, SB_LINELEFT);
    expect_pixel(window, 0, 200, Black, "the frame's left line one line back");
    // The ranges end one past the picture with a page of the client area: at the end the
    // frame's far lines are the client area's last row and column.
    scroll(window, WM_VSCROLL, SB_PAGEDOWN, 3);
    expect_pixel(window, 200, client.bottom - 1, Black, "the frame's bottom line at the end");
    expect_pixel(window, 200, client.bottom - 2, Orange, "the picture's last row at the end");
    turn_wheel(window, -WHEEL_DELTA);
    expect_pixel(window, 200, client.bottom - 1, Black, "the wheel stopped at the end");
    scroll(window, WM_HSCROLL, SB_PAGERIGHT, 3);
    expect_pixel(window, client.right - 1, 200, Black, "the frame's right line at the end");
    expect_pixel(window, client.right - 2, 200, Orange, "the picture's last column at the end");
    save_screenshot(scene.screenshot);

    // Closed and shown again: maximised, at the top left.
    hide_preview(window);
    preview(app, "ImagePreviewButton");
    expect(IsZoomed(window), "maximised again after closing");
    size_client(window, 1000, 700);
    expect_pixel(window, 0, 200, Black, "the frame's left line after showing again");
    expect_pixel(window, 200, 0, Black, "the frame's top line after showing again");
}
