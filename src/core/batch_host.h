// What a batch run needs from whoever runs it: the main window, or the console of
// ombrel-batch. Every call comes from the thread that runs the batch.
#pragma once
#include "core/captions.h"
#include "core/form.h"
#include "settings/settings.h"

enum class MessageIcon { Error, Information, Warning };

class BatchHost {
  public:
    virtual ~BatchHost() = default;

    // A modal notice with an OK button.
    virtual void show_message(const char* text, const char* caption, MessageIcon icon) = 0;
    // A modal question with Yes and No buttons and the question icon; true for Yes.
    virtual bool ask_yes_no(const char* text, const char* caption) = 0;
    // The progress bar runs from 0 to maximum.
    virtual void set_progress_range(int maximum) = 0;
    virtual void set_progress_position(int position) = 0;
    // One line of the processing log (code page 936, no line break).
    virtual void append_log_line(const char* line) = 0;
    // The target folder, opened after Yes to the completion question.
    virtual void open_folder(const char* folder) = 0;
    // The end of a run hands its checked settings back to their owner (for the next run and the
    // previews; the fields of the checks that passed carry their new values even after a
    // refusal)...
    virtual void hand_back_settings(const Settings& checked) = 0;
    // ...gives the controls back to the user...
    virtual void restore_controls() = 0;
    // ...and then the focus to the control a refusal named.
    virtual void request_focus(FormControl control) = 0;
};
