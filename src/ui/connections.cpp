// The connection points of the previews and the context help. Each body is replaced when its
// part lands; none of them pretends to do its work meanwhile.
#include "ui/connections.h"

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
