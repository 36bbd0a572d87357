// Font files from the system's own font list, for face names the program's font table does
// not serve. Linux asks fontconfig, which also knows the localised family names that the font
// dialog shows (such as a Chinese name of a CJK font). On Windows the image library finds
// family names itself, so both answers are empty there.
#pragma once
#include <string>

// The file of the font whose family (UTF-8) is exactly family, ignoring case, taken in its bold
// or italic variant when the family has one; empty when no font has that family.
std::string system_font_file(const std::string& family, bool bold, bool italic);

// A Latin sans-serif font file for text whose face the library cannot use at all; empty where
// the library has a default font of its own.
std::string fallback_font_file();
