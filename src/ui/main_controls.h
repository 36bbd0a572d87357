// The 44 controls of the main window in one table: their creation, identifiers, help texts,
// what the form reads of them and the groups they are switched in.
#pragma once
#include <windows.h>

#include "core/form.h"
#include "settings/settings.h"
#include "ui/app.h"

// Creates the 44 controls in their stacking order, laid out for dpi, fills the five lists and
// selects their first choices. Sets no font and no check state.
int create_main_controls(MainControls& controls, HINSTANCE instance, HWND main_window, int dpi);

// Lays the controls out anew for dpi.
void place_main_controls(const MainControls& controls, int dpi);

// Appends an entry to a drop-down list; the first entry is also selected.
void add_combo_item(HWND combo, const char* text);

// Switch a watermark group as a whole (not its group box, not its caption check box).
void enable_text_watermark_group(const App& app, bool enable);
void enable_image_watermark_group(const App& app, bool enable);

// Whether the check box is checked.
bool is_checked(HWND check_box);

// The controls as a run or a preview reads them; from the worker thread every read is a message
// that the main thread answers. The shop-ready steps, no control of the window, are left to the
// caller.
FormSnapshot read_form(const App& app);

// The handle of a control that a refusal names.
HWND control_of(const App& app, FormControl control);

// The context help text of a control, or nullptr for a control without one.
const char* help_text_of(const App& app, HWND control);

// Shows the loaded settings in the controls and leaves the start-up switches of
// form_after_startup, each control under the switch that governs it.
void show_settings(const App& app, const Settings& settings);

// A run starts: every control but the banner strip is switched off, the progress bar on.
void hand_controls_to_run(App& app);

// A run has ended: every control comes back to the user, each under the switch that governs it.
void give_controls_back(App& app);
