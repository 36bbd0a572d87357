// The checks a batch runs on the control values before it touches an image, in their fixed
// order, each with its message and the control that gets the focus when it refuses.
#pragma once
#include <optional>
#include <string>

#include "core/batch_host.h"
#include "core/form.h"
#include "settings/settings.h"

// What the checks ask of the file system and the font test.
class CheckEnvironment {
  public:
    virtual ~CheckEnvironment() = default;
    virtual bool is_directory(const std::string& path) const = 0;
    virtual bool file_exists(const std::string& path) const = 0;
    // Creates one folder level.
    virtual bool create_directory(const std::string& path) const = 0;
    virtual bool font_shows_chinese(const FontSpec& font) const = 0;
};

// A refusal: its message has been shown; focus names the main window's control to be focused,
// if one is at fault.
struct CheckRefusal {
    std::optional<FormControl> focus;
};

// The outcome of the checks: the trimmed target folder, or a refusal.
struct CheckResult {
    std::optional<CheckRefusal> refusal;
    std::string target_folder;
    bool passed() const { return !refusal; }
};

// Runs the fifteen checks on form, storing each value into settings as it passes (a refusal
// leaves the fields before it updated). source_folder is the trimmed source folder text.
// The target folder is created (one level) when missing.
CheckResult check_settings(const FormSnapshot& form, const std::string& source_folder,
                           Settings& settings, BatchHost& host, const CheckEnvironment& env);

// The pieces the preview commands share with the batch.

// The source folder text (trimmed) is not empty and names a folder.
std::optional<CheckRefusal> check_source_folder(const std::string& source_folder, BatchHost& host,
                                                const CheckEnvironment& env);

// Width: with the box checked, 1 to 9999 or a refusal; unchecked, an empty or non-number text
// resets the width to 750 and a number leaves it alone.
std::optional<CheckRefusal> check_width(const FormSnapshot& form, Settings& settings,
                                        BatchHost& host);

// The text watermark's checks and values: its text (for the batch only while the group is
// switched on; the text preview always needs one, and refuses a font without Chinese in words
// of its own), opacity, positions and margins.
enum class TextCheckFor { Batch, Preview };
std::optional<CheckRefusal> check_text_watermark(const FormSnapshot& form, Settings& settings,
                                                 BatchHost& host, const CheckEnvironment& env,
                                                 TextCheckFor purpose);

// The font rule: a text (trimmed) with Chinese in it needs a font that shows Chinese; the words
// of the warning depend on purpose.
std::optional<CheckRefusal> check_font_shows_text(const std::string& text, const FontSpec& font,
                                                  BatchHost& host, const CheckEnvironment& env,
                                                  TextCheckFor purpose);

// The image watermark's checks and values: its file (while the group is switched on),
// positions and margins.
std::optional<CheckRefusal> check_image_watermark(const FormSnapshot& form, Settings& settings,
                                                  BatchHost& host, const CheckEnvironment& env);

// The checks of a watermark preview: the source folder, the width and the quality as for a
// run, then those of its own watermark only. The target folder is neither checked nor made.
enum class PreviewKind { Text, Image };
std::optional<CheckRefusal> check_preview_settings(PreviewKind kind, const FormSnapshot& form,
                                                   const std::string& source_folder,
                                                   Settings& settings, BatchHost& host,
                                                   const CheckEnvironment& env);

// The two axes of the two watermarks.
enum class MarginAxis { TextHorz, TextVert, ImageHorz, ImageVert };

// The margin rule for one position list (selection) and its margin edit (text as read):
// centred takes any number or 16; a side needs 0 to 999.
std::optional<CheckRefusal> check_margin(MarginAxis axis, int selection, const std::string& text,
                                         int32_t& margin, BatchHost& host);

// The text that a trimmed edit value gives (leading and trailing blanks dropped).
std::string trimmed(const std::string& text);
