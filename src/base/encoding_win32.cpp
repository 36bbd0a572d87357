// The product's conversion, through Win32's code pages.
#include "base/encoding.h"

#include <algorithm>
#include <optional>

#include <windows.h>

namespace {

constexpr UINT Gbk = 936;

// The length of the character that begins with byte b.
std::size_t character_length(UINT code_page, unsigned char b) {
    if (code_page == Gbk)
        return b >= 0x81 && b <= 0xFE ? 2 : 1; // a lead byte opens a double-byte character
    return b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}

// The whole of text in code page to, or nothing when any of it is invalid in from or has no
// counterpart in to (no best-fit look-alikes).
std::optional<std::string> recode(UINT from, UINT to, const char* text, int len) {
    if (len == 0)
        return std::string();
    const int wide_len = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text, len, nullptr, 0);
    if (wide_len <= 0)
        return std::nullopt;
    std::wstring wide(wide_len, L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text, len, wide.data(), wide_len);
    const DWORD flags = to == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* used_default = to == CP_UTF8 ? nullptr : &lossy; // UTF-8 takes no default character
    const int out_len =
        WideCharToMultiByte(to, flags, wide.data(), wide_len, nullptr, 0, nullptr, used_default);
    if (out_len <= 0 || lossy)
        return std::nullopt;
    std::string out(out_len, '\0');
    WideCharToMultiByte(to, flags, wide.data(), wide_len, out.data(), out_len, nullptr, nullptr);
    return out;
}

// Win32 converts all or nothing; the prefix before the first bad character is found one
// character at a time, which only a faulty text pays for.
std::string convert(UINT from, UINT to, const std::string& src) {
    if (auto whole = recode(from, to, src.data(), static_cast<int>(src.size())))
        return *whole;
    std::string out;
    for (std::size_t at = 0; at < src.size();) {
        const std::size_t len =
            std::min(character_length(from, static_cast<unsigned char>(src[at])), src.size() - at);
        const auto one = recode(from, to, src.data() + at, static_cast<int>(len));
        if (!one)
            break;
        out += *one;
        at += len;
    }
    return out;
}

} // namespace

std::string gbk_to_utf8(const std::string& src) {
    return convert(Gbk, CP_UTF8, src);
}

std::string utf8_to_gbk(const std::string& src) {
    return convert(CP_UTF8, Gbk, src);
}
