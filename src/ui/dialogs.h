// The standard dialogs of the main window: folder browser, watermark font, watermark image.
#pragma once
#include <optional>
#include <string>

#include <windows.h>

#include "settings/settings.h"

// path (at least 1024 bytes) names the folder to preselect, possibly empty; on 1 it holds
// the chosen folder. 0 when the user cancelled.
int browse_for_folder(HWND owner, const char* title, char* path);

// Edits the watermark font: 1 on OK with every field rewritten, 2 with font untouched.
int choose_watermark_font(HINSTANCE instance, HWND owner, FontSpec& font);

// The filter of the watermark image dialog: description and pattern pairs.
extern const char ImageFileFilter[];

// The full path of the chosen existing file, or nothing when the user cancelled.
std::optional<std::string> choose_image_file(HINSTANCE instance, HWND owner, const char* title,
                                             const char* filter);
