// The main window as the batch logic sees it: the host through which a run or a preview shows
// its messages and names controls (the form it reads: ui/main_controls.h).
#pragma once
#include <windows.h>

#include "core/batch_host.h"
#include "core/form.h"
#include "ui/app.h"
#include "ui/main_controls.h"

// The main window as host of a run, or of a preview on the main thread. Its message boxes are
// owned by the main window, like every other message box of the program; whatever changes the
// window's state is a message that the main thread carries out.
class WindowBatchHost final : public BatchHost {
  public:
    explicit WindowBatchHost(App& app) : app_(app) {}

    void show_message(const char* text, const char* caption, MessageIcon icon) override;
    bool ask_yes_no(const char* text, const char* caption) override;
    void set_progress_range(int maximum) override;
    void set_progress_position(int position) override;
    void append_log_line(const char* line) override;
    void save_settings(const Settings& checked) override;
    void offer_target_folder(const char* question, const char* folder) override;
    void hand_back_settings(const Settings& checked) override;
    void restore_controls() override;
    void request_focus(FormControl control) override;

  private:
    App& app_;
};
