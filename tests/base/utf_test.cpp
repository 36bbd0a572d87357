// The one conversion between the program's UTF-8 and Win32's UTF-16, on the names sellers' files
// carry, and on bytes that are no UTF-8. (u8: the text stays UTF-8 whatever the compiler is told.)
#include "base/utf.h"
#include "support/check.h"

namespace {

void names_in_every_script_go_there_and_back() {
    struct Row {
        const char* utf8;
        std::wstring utf16;
    };
    const Row rows[] = {
        {"", L""},
        {"a.jpg", L"a.jpg"},
        {u8"Straße naïve.jpg", L"Stra\u00DFe na\u00EFve.jpg"},
        {u8"样品店", L"\u6837\u54C1\u5E97"},
        {u8"상품.jpg", L"\uC0C1\uD488.jpg"},
        {u8"👍.jpg", L"\xD83D\xDC4D.jpg"},      // beyond the first plane: a surrogate pair
        {u8"𠀋.jpg", L"\xD840\xDC0B.jpg"},     // CJK extension B
        {"\xEF\xBF\xBF", L"\uFFFF"},           // the last of the first plane
        {"\xF4\x8F\xBF\xBF", L"\xDBFF\xDFFF"}, // U+10FFFF, the last of all
    };
    for (const Row& row : rows) {
        check(widen(row.utf8) == row.utf16, std::string("widen ") + row.utf8);
        check_equal(narrow(row.utf16), std::string(row.utf8), "narrow");
    }
}

void what_is_no_text_becomes_the_replacement_character() {
    struct Row {
        std::string utf8;
        std::wstring utf16;
    };
    const Row rows[] = {
        {"a\x80z", L"a\uFFFDz"},                           // a stray continuation byte
        {"\xE6\xA0", L"\uFFFD\uFFFD"},                     // cut short at the end
        {"\xE6\xA0z", L"\uFFFD\uFFFDz"},                   // cut short before a letter, which stays
        {"\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},           // an overlong "/"
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},           // a surrogate written as UTF-8
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
        {"\xB9\xFA", L"\uFFFD\uFFFD"},                     // code page 936's "国" is no UTF-8
    };
    for (const Row& row : rows)
        check(widen(row.utf8) == row.utf16,
              "widen of " + std::to_string(row.utf8.size()) + " bytes");
    check_equal(narrow(std::wstring(L"a\xD83Dz")), std::string("a\xEF\xBF\xBDz"),
                "a lone surrogate");
    check_equal(narrow(std::wstring(L"\xDC4D")), std::string("\xEF\xBF\xBD"), "a lone trail");
}

const TestCase cases[] = {
    {"names in every script go there and back", names_in_every_script_go_there_and_back},
    {"what is no text becomes the replacement character",
     what_is_no_text_becomes_the_replacement_character},
};
const Registration registration(cases);

} // namespace
