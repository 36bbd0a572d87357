// How the program's paths reach the image library. Inside the program a path is UTF-8, which
// the library takes too.
#pragma once
#include <string>

// The folder the library writes its own scratch files into: UTF-8, which it opens with the wide
// calls. (Pictures reach it as streams the program opened: image_reader.)
std::string library_path(const std::string& path);

// A font file, marked by "@" as a file to open as it is. The library's font engine opens it
// with the wide call (a patch of the Windows build), so the path is UTF-8 in its long form
// (wide_path): any character, any length, whatever the system's code page.
std::string library_font_path(const std::string& path);

// Tells the library, before it starts, to take its coder modules from modules\coders in the
// executable's folder: the folder compiled into it names the build machine's.
void use_program_coder_modules();
