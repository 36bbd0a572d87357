// The seam between the batch logic and the main window: the control values a run reads
// (the form snapshot) and the controls a failed check can name for the focus.
#pragma once
#include <string>

#include "settings/settings.h"
#include "settings/shop_options.h"

// The controls that a refusal can hand the keyboard focus to.
enum class FormControl {
    SourceFolderButton,
    WidthEdit,
    TextEdit,
    FontButton,
    TextHorzEdit,
    TextVertEdit,
    ImageButton,
    ImageHorzEdit,
    ImageVertEdit,
    TargetFolderButton,
};

// What the window's edits hold, read through a buffer one byte larger: a numeric edit four
// characters, a path or text edit 1023 bytes of code page 936 (counted as cp936_length counts,
// no character split).
constexpr int NumericEditLimit = 4;
constexpr int TextEditLimit = 1023;

// The values of the main window's controls, named after the controls, exactly as they were
// read: path and text edits through a 1024-byte buffer, numeric edits through a 5-byte one
// (at most 4 characters), check boxes as checked or not, lists as their selection index (-1
// without selection). Nothing is trimmed or checked here.
struct FormSnapshot {
    std::string source_folder_edit;
    bool width_check = false;
    std::string width_edit;
    bool quality_check = false;
    int quality_combo = -1;
    bool rotate_check = false;
    int rotate_combo = -1;
    bool subfolders_check = false;

    bool text_watermark_check = false;
    std::string text_edit;
    int text_opacity_combo = -1;
    int text_horz_combo = -1;
    std::string text_horz_edit;
    int text_vert_combo = -1;
    std::string text_vert_edit;

    bool image_watermark_check = false;
    std::string image_edit;
    int image_horz_combo = -1;
    std::string image_horz_edit;
    int image_vert_combo = -1;
    std::string image_vert_edit;

    std::string target_folder_edit;

    // The steps of the 更多设置 dialog as options.ini holds them, or as ombrel-batch's command
    // line set them.
    ShopOptions shop;
};

// What a read through a 5-byte buffer sees of a numeric edit's text: at most 4 bytes, no
// double-byte character split.
std::string as_numeric_edit_reads(const std::string& text);

// What a read through a 1024-byte buffer sees of a path or text edit.
std::string as_text_edit_reads(const std::string& text);

// The form as start-up leaves it after loading settings: the stored values in the edits and
// lists (a stored index outside a list leaves it without selection), the width box unchecked,
// the quality box checked, rotation, subfolders and both watermarks off, no folders.
FormSnapshot form_after_startup(const Settings& settings);
