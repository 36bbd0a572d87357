#include "ui/dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "base/text.h"
#include "platform/win32_scopes.h"

const char ImageFileFilter[] = "图片文件(*.PNG;*.JPG;*.GIF)\0*.PNG;*.JPG;*.GIF\0"
                               "PNG图片(*.PNG)\0*.PNG\0"
                               "JPG图片(*.JPG)\0*.jpg;*.jpeg\0"
                               "GIF图片 (*.GIF)\0*.gif\0";

namespace {

// The browser's data (BROWSEINFO's lParam) is the folder to preselect.
int CALLBACK on_browser_message(HWND dialog, UINT message, LPARAM, LPARAM initial_folder) {
    if (message == BFFM_INITIALIZED)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, initial_folder);
    return 0;
}

} // namespace

// path also receives the display name while the dialog is open, so the start folder is a copy.
int browse_for_folder(HWND owner, const char* title, char* path) {
    char initial_folder[1024];
    lstrcpynA(initial_folder, path, sizeof initial_folder);
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = path;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = on_browser_message;
    browse.lParam = reinterpret_cast<LPARAM>(initial_folder);
    const unique_item_list chosen(SHBrowseForFolderA(&browse));
    if (!chosen)
        return 0;
    SHGetPathFromIDListA(chosen.get(), path);
    return 1;
}

int choose_watermark_font(HINSTANCE instance, HWND owner, FontSpec& font) {
    LOGFONTA logfont{};
    copy_to_field(logfont.lfFaceName, font.fontName, strnlen(font.fontName, sizeof font.fontName));
    {
        const WindowDC dc(owner);
        logfont.lfHeight = -MulDiv(font.fontSize, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    }
    logfont.lfWeight = font.isWeight ? 600 : FW_NORMAL;
    logfont.lfItalic = static_cast<BYTE>(font.isItalic);

    char unused_style[64] = {};
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &logfont;
    choose.iPointSize = font.fontSize * 10;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_LIMITSIZE |
                   CF_FORCEFONTEXIST | CF_TTONLY | CF_NOVERTFONTS;
    choose.rgbColors = font.rgbColors;
    choose.hInstance = instance;
    choose.lpszStyle = unused_style;
    choose.nSizeMin = 8;
    choose.nSizeMax = 72;
    if (ChooseFontA(&choose) != TRUE)
        return 2;

    copy_to_field(font.fontName, logfont.lfFaceName, strnlen(logfont.lfFaceName, LF_FACESIZE));
    font.fontSize = choose.iPointSize / 10;
    set_font_color(font, choose.rgbColors);
    font.isWeight = logfont.lfWeight > FW_NORMAL ? 1 : 0;
    font.isItalic = logfont.lfItalic;
    return 1;
}

std::optional<std::string> choose_image_file(HINSTANCE instance, HWND owner, const char* title,
                                             const char* filter) {
    char path[1024] = {};
    OPENFILENAMEA open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.hInstance = instance;
    open.lpstrFilter = filter;
    open.nFilterIndex = 1;
    open.lpstrFile = path;
    open.nMaxFile = sizeof path;
    open.nMaxFileTitle = sizeof path; // set, but no title buffer is given
    open.lpstrTitle = title;
    // The current directory stays the program folder, from which relative paths are taken.
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&open))
        return std::nullopt;
    return std::string(path);
}
