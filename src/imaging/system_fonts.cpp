#include "imaging/system_fonts.h"

#include <cstdio>
#include <optional>

#include <windows.h>
#include <shlobj.h>

#include "base/program.h"
#include "base/utf.h"
#include "imaging/font_collection.h"
#include "platform/file_system.h"
#include "platform/whole_file.h"
#include "platform/win32_scopes.h"

namespace {

constexpr DWORD CollectionTable = 0x66637474; // 'ttcf', as GetFontData takes a tag
constexpr DWORD HeadTable = 0x64616568;       // 'head'

int CALLBACK count_face(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return 1;
}

// GDI gives another face for a name it does not know; only a face it lists is taken.
bool system_has_face(HDC dc, const std::wstring& face_name) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face_name.c_str(), LF_FACESIZE);
    int count = 0;
    EnumFontFamiliesExW(dc, &wanted, count_face, reinterpret_cast<LPARAM>(&count), 0);
    return count > 0;
}

unique_font create_font(const std::wstring& face_name, bool bold, bool italic, BYTE char_set) {
    LOGFONTW font{};
    font.lfHeight = -16; // any size: the file is the same
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic;
    font.lfCharSet = char_set;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.lfPitchAndFamily = FF_SWISS;
    lstrcpynW(font.lfFaceName, face_name.c_str(), LF_FACESIZE);
    return unique_font(CreateFontIndirectW(&font));
}

// size bytes of table (0: the face's own start) from offset, or nothing.
std::optional<std::string> font_data(HDC dc, DWORD table, DWORD offset, DWORD size) {
    std::string data(size, '\0');
    if (size == 0 || size == GDI_ERROR || GetFontData(dc, table, offset, data.data(), size) != size)
        return std::nullopt;
    return data;
}

// The face's offset table and table records.
std::optional<std::string> table_directory(HDC dc) {
    const auto offset_table = font_data(dc, 0, 0, 12);
    if (!offset_table)
        return std::nullopt;
    const DWORD tables = static_cast<unsigned char>((*offset_table)[4]) << 8 |
                         static_cast<unsigned char>((*offset_table)[5]);
    return font_data(dc, 0, 0, 12 + 16 * tables);
}

// The file of the selected face: a font file as it is, or the face taken out of a collection,
// which GDI gives only whole.
std::optional<std::string> face_file(HDC dc, const std::string& directory) {
    const DWORD collection_size = GetFontData(dc, CollectionTable, 0, nullptr, 0);
    if (collection_size == GDI_ERROR)
        return font_data(dc, 0, 0, GetFontData(dc, 0, 0, nullptr, 0));
    const auto collection = font_data(dc, CollectionTable, 0, collection_size);
    if (!collection)
        return std::nullopt;
    std::string face = collection_face_as_font(*collection, directory);
    return face.empty() ? std::nullopt : std::optional<std::string>(std::move(face));
}

// The face's directory (the checksums of all its tables) and its header (version and dates)
// name it: a font that changes gets a new file, the same face under two names shares one. The
// suffix counts the ways of writing a face: a new way never reuses files of an older one.
std::string cache_name(const std::string& directory, const std::string& head) {
    uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (char c : directory + head)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char name[32];
    std::snprintf(name, sizeof name, "%016llx-1.ttf", static_cast<unsigned long long>(hash));
    return name;
}

std::string font_cache_folder() {
    const std::string folder = special_folder_path(CSIDL_LOCAL_APPDATA);
    if (folder.empty())
        return {};
    const std::string path = folder + "\\" + ProgramTitle + "\\fonts";
    return make_directories(path) ? path : std::string();
}

// The cached file of the face selected into dc, written when it is not there yet.
std::string cached_face_file(HDC dc) {
    const auto directory = table_directory(dc);
    const auto head = font_data(dc, HeadTable, 0, GetFontData(dc, HeadTable, 0, nullptr, 0));
    const std::string folder = font_cache_folder();
    if (!directory || !head || folder.empty())
        return {};
    const std::string name = cache_name(*directory, *head);
    const std::string path = folder + "\\" + name;
    if (file_exists(path))
        return path;
    // A run beside this one sees either no file or a whole one; one that wrote it meanwhile
    // leaves the same face.
    const auto file = face_file(dc, *directory);
    return file && (write_whole_file(*file, folder, name) || file_exists(path)) ? path
                                                                                : std::string();
}

std::string font_file(HDC dc, const std::wstring& face_name, bool bold, bool italic,
                      BYTE char_set) {
    const unique_font font = create_font(face_name, bold, italic, char_set);
    if (!font)
        return {};
    const SelectScope selected(dc, font.get());
    return cached_face_file(dc);
}

} // namespace

std::string system_font_file(const std::string& face_name, bool bold, bool italic) {
    const unique_dc dc(CreateCompatibleDC(nullptr));
    const std::wstring face = widen(face_name);
    if (face.empty() || !dc || !system_has_face(dc.get(), face))
        return {};
    return font_file(dc.get(), face, bold, italic, DEFAULT_CHARSET);
}

// Whatever Latin sans-serif face GDI picks for the Western character set: the Chinese default
// face would draw Latin text in a CJK design.
std::string fallback_font_file() {
    const unique_dc dc(CreateCompatibleDC(nullptr));
    return dc ? font_file(dc.get(), L"Arial", false, false, ANSI_CHARSET) : std::string();
}
