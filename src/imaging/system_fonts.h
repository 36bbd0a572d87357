// The system's fonts as files the image library can open, taken through GDI: the font dialog
// offers GDI's faces, and the library knows none of them by those names. Each face is written
// once into the program's font cache, in the user's local application data
// (%LOCALAPPDATA%\Ombrel\fonts): writable wherever the program folder was unpacked, shared by
// copies of the program folder, and never roamed with the user's profile.
#pragma once
#include <string>

// The cached file (UTF-8 path) of the face named face_name, in its bold
// or italic variant where the system has one; empty when the system has no such face, or it has
// no outline font data (bitmap fonts).
std::string system_font_file(const std::string& face_name, bool bold, bool italic);

// A Latin sans-serif face for text whose face the library cannot use at all; empty when the
// system gives none.
std::string fallback_font_file();
