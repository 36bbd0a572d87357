#include "ui/dialogs.h"

#include <cstring>

#include <commdlg.h>
#include <shlobj.h>

#include "base/text.h"
#include "base/utf.h"
#include "platform/win32_scopes.h"

namespace {

// Description and pattern pairs, each text ending in a zero, the last pair followed by another.
constexpr char ImageFileFilter[] = "图片文件(*.PNG;*.JPG;*.GIF)\0*.PNG;*.JPG;*.GIF\0"
                                   "PNG图片(*.PNG)\0*.PNG\0"
                                   "JPG图片(*.JPG)\0*.jpg;*.jpeg\0"
                                   "GIF图片 (*.GIF)\0*.gif\0";

// The browser's data (BROWSEINFO's lParam) is the folder to preselect.
int CALLBACK on_browser_message(HWND dialog, UINT message, LPARAM, LPARAM initial_folder) {
    if (message == BFFM_INITIALIZED)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, initial_folder);
    return 0;
}

// The longest path the system gives for a folder: a long path, beyond MAX_PATH.
constexpr DWORD LongestPath = 32768;

} // namespace

int browse_for_folder(HWND owner, const char* title, std::string& path) {
    const std::wstring initial_folder = widen(path), wide_title = widen(title);
    wchar_t display_name[MAX_PATH] = {}; // the chosen item's name, which is not used
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = display_name;
    browse.lpszTitle = wide_title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = on_browser_message;
    browse.lParam = reinterpret_cast<LPARAM>(initial_folder.c_str());
    const unique_item_list chosen(SHBrowseForFolderW(&browse));
    if (!chosen)
        return 0;
    std::wstring folder(LongestPath, L'\0');
    if (!SHGetPathFromIDListEx(chosen.get(), folder.data(), LongestPath, GPFIDL_DEFAULT))
        return 0;
    folder.resize(std::wcslen(folder.c_str()));
    path = narrow(folder);
    return 1;
}

// The face name keeps to the FontSpec's field, cut as the field cuts.
int choose_watermark_font(HINSTANCE instance, HWND owner, FontSpec& font) {
    LOGFONTW logfont{};
    const std::wstring face = widen({font.fontName, strnlen(font.fontName, sizeof font.fontName)});
    lstrcpynW(logfont.lfFaceName, face.c_str(), LF_FACESIZE);
    {
        const WindowDC dc(owner);
        logfont.lfHeight = -MulDiv(font.fontSize, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    }
    logfont.lfWeight = font.isWeight ? 600 : FW_NORMAL;
    logfont.lfItalic = static_cast<BYTE>(font.isItalic);

    wchar_t unused_style[64] = {};
    CHOOSEFONTW choose{};
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
    if (ChooseFontW(&choose) != TRUE)
        return 2;

    const std::string chosen = narrow(logfont.lfFaceName);
    copy_to_field(font.fontName, chosen.c_str(), chosen.size());
    font.fontSize = choose.iPointSize / 10;
    set_font_color(font, choose.rgbColors);
    font.isWeight = logfont.lfWeight > FW_NORMAL ? 1 : 0;
    font.isItalic = logfont.lfItalic;
    return 1;
}

// A buffer of 1024 characters holds every path that a read of the image edit would see whole.
std::optional<std::string> choose_image_file(HINSTANCE instance, HWND owner, const char* title) {
    const std::wstring filter = widen({ImageFileFilter, sizeof ImageFileFilter});
    const std::wstring wide_title = widen(title);
    wchar_t path[1024] = {};
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.hInstance = instance;
    open.lpstrFilter = filter.c_str();
    open.nFilterIndex = 1;
    open.lpstrFile = path;
    open.nMaxFile = static_cast<DWORD>(std::size(path));
    open.nMaxFileTitle = static_cast<DWORD>(std::size(path)); // set, but no title buffer is given
    open.lpstrTitle = wide_title.c_str();
    // The current directory stays the program folder, from which relative paths are taken.
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&open))
        return std::nullopt;
    return narrow(path);
}
