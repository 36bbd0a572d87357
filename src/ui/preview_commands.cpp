#include "ui/preview_commands.h"

#include <windows.h>

#include "base/program.h"
#include "core/watermark_preview.h"
#include "ui/preview_window.h"
#include "ui/window_host.h"

namespace {

// The preview's own button is off while the preview is made and on again however it ends.
// Switched off it loses the keyboard focus, which it gets back when no other control took it
// (the main window keeps the focus to itself after a message box otherwise).
class ButtonHeld {
  public:
    ButtonHeld(HWND main_window, HWND button)
        : main_window_(main_window), button_(button), had_focus_(GetFocus() == button) {
        EnableWindow(button_, FALSE);
    }
    ~ButtonHeld() {
        EnableWindow(button_, TRUE);
        const HWND focus = GetFocus();
        if (had_focus_ && (!focus || focus == main_window_))
            SetFocus(button_);
    }
    ButtonHeld(const ButtonHeld&) = delete;
    ButtonHeld& operator=(const ButtonHeld&) = delete;

  private:
    HWND main_window_;
    HWND button_;
    bool had_focus_;
};

// The main window does not answer other messages meanwhile; a refusal's control gets the focus.
void run_preview(App& app, PreviewKind kind, HWND button) {
    const ButtonHeld held(app.MainWindow, button);
    WindowBatchHost host(app);
    try {
        FormSnapshot form = read_form(app);
        form.shop = app.Shop;
        const PreviewOutcome outcome =
            make_watermark_preview(kind, form, app.TheSettings, host, ProgramFolder);
        if (!outcome.picture.empty())
            show_preview(outcome.picture.c_str());
        else if (outcome.focus)
            SetFocus(control_of(app, *outcome.focus));
    } catch (...) {
        // Out of memory while making the preview: nothing is shown, the window stays usable.
    }
}

} // namespace

void preview_text_watermark(App& app) {
    run_preview(app, PreviewKind::Text, app.TextPreviewButton);
}

void preview_image_watermark(App& app) {
    run_preview(app, PreviewKind::Image, app.ImagePreviewButton);
}
