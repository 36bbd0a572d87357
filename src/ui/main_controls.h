// The 44 controls of the main window, their identifiers and the group operations.
#pragma once
#include <windows.h>

#include "settings/settings.h"

// One handle per control, set by create_main_controls, valid until the process ends.
extern HWND BannerStatic, SourceFolderLabel, SourceFolderEdit, SourceFolderButton;
extern HWND WidthCheck, WidthEdit, QualityCheck, QualityCombo, RotateCheck, RotateCombo;
extern HWND SubfoldersCheck, BasicGroup, BasicGroupLabel;
extern HWND TextLabel, TextEdit, TextOpacityLabel, TextOpacityCombo, TextPositionLabel;
extern HWND TextHorzCombo, TextHorzEdit, TextVertCombo, TextVertEdit, FontLabel, FontEdit;
extern HWND FontButton, TextPreviewButton, TextGroup, TextWatermarkCheck;
extern HWND ImageLabel, ImageEdit, ImageButton, ImagePositionLabel, ImageHorzCombo;
extern HWND ImageHorzEdit, ImageVertCombo, ImageVertEdit, ImagePreviewButton, ImageGroup;
extern HWND ImageWatermarkCheck, TargetFolderLabel, TargetFolderEdit, TargetFolderButton;
extern HWND ProgressBar, StartButton;

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
int create_main_controls(HINSTANCE instance, HWND main_window);

// Appends an entry to a drop-down list; the first entry is also selected.
void add_combo_item(HWND combo, const char* text);

// Switch a watermark group as a whole (not its group box, not its caption check box).
void enable_text_watermark_group(HWND main_window, bool enable);
void enable_image_watermark_group(HWND main_window, bool enable);

// A margin edit is enabled only while its position list shows an edge, never the centred
// entry (index 0), whatever enable says.
void enable_margin_edit(HWND main_window, int combo_id, HWND edit, bool enable);

// Whether the check box with this identifier is checked.
bool is_checked(int check_box_id);

// Shows the loaded settings in the controls and leaves the start-up switches: width off,
// quality on, rotation off, both watermark groups off.
void show_settings(const Settings& settings);
