// The standard dialogs of the main window: folder browser, watermark font, watermark image.
#pragma once
#include <optional>
#include <string>

#include <windows.h>

#include "settings/settings.h"

// path names the folder to preselect, possibly empty; on 1 it holds the chosen folder. 0 when
// the user cancelled or the folder has no file-system path.
int browse_for_folder(HWND owner, const char* title, std::string& path);

// Edits the watermark font: 1 on OK with every field rewritten, 2 with font untouched.
int choose_watermark_font(HINSTANCE instance, HWND owner, FontSpec& font);

// The full path of the chosen existing picture file (PNG, JPEG or GIF by the dialog's filter),
// or nothing when the user cancelled.
std::optional<std::string> choose_image_file(HINSTANCE instance, HWND owner, const char* title);
