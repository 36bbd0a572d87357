// The 44 controls of the main window: their creation, identifiers and group operations.
#pragma once
#include <windows.h>

#include "settings/settings.h"
#include "ui/app.h"

// Identifiers by which other code reads check boxes (IsDlgButtonChecked) and lists
// (GetDlgItem); the controls not listed here have identifier 0.
enum ControlId : int {
    BannerStaticId = 35000,
    SourceFolderLabelId = 35001,
    SourceFolderEditId = 35002,
    SourceFolderButtonId = 35003,
    WidthCheckId = 35004,
    WidthEditId = 35005,
    QualityCheckId = 35006,
    QualityComboId = 35007,
    RotateCheckId = 35008,
    RotateComboId = 35009,
    SubfoldersCheckId = 35010,
    TextOpacityComboId = 35014,
    TextHorzComboId = 35016,
    TextVertComboId = 35018,
    TextWatermarkCheckId = 35024,
    ImageHorzComboId = 35029,
    ImageVertComboId = 35031,
    ImageWatermarkCheckId = 35034,
};

// Creates the 44 controls in their stacking order, fills the five lists and selects their
// first choices. Sets no font and no check state.
int create_main_controls(MainControls& controls, HINSTANCE instance, HWND main_window);

// Appends an entry to a drop-down list; the first entry is also selected.
void add_combo_item(HWND combo, const char* text);

// Switch a watermark group as a whole (not its group box, not its caption check box).
void enable_text_watermark_group(const App& app, bool enable);
void enable_image_watermark_group(const App& app, bool enable);

// A margin edit is enabled only while its position list shows an edge, never the centred
// entry (index 0), whatever enable says.
void enable_margin_edit(HWND main_window, int combo_id, HWND edit, bool enable);

// Whether the main window's check box with this identifier is checked.
bool is_checked(HWND main_window, int check_box_id);

// Shows the loaded settings in the controls and leaves the start-up switches: width off,
// quality on, rotation off, both watermark groups off.
void show_settings(const App& app, const Settings& settings);

// A run starts: every control but the banner strip is switched off, the progress bar on.
void hand_controls_to_run(App& app);

// A run has ended: every control comes back to the user, each under the switch that governs it.
void give_controls_back(App& app);
