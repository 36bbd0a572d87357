// The connection points of the online services, the previews and the context help. Each
// body is replaced when its part lands; none of them pretends to do its work meanwhile.
#include "ui/connections.h"

void open_site_page(const char* /*page*/) {
    // Connects to open_web_page with the site's address in front of page.
}

bool start_online_threads() {
    // Connects to update_check_thread and banner_thread, each through start_thread.
    return true;
}

bool render_banner_picture(HDC /*dc*/, int /*width*/, int /*height*/) {
    // Connects to BannerPicture (IPicture::Render over the whole strip).
    return false;
}

void open_banner_link() {
    // With no banner shown yet, the click means the home page.
    open_site_page("/");
}

void show_context_help() {
    // Connects to the help lookup under the mouse pointer and show_help_popup.
}

void preview_text_watermark() {
    // Connects to the text watermark preview.
}

void preview_image_watermark() {
    // Connects to the image watermark preview.
}

void create_preview_window(HINSTANCE /*instance*/, HICON /*icon*/) {
    // Connects to the preview window, created hidden.
}
