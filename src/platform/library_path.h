// How the program's paths reach the image library. Inside the program a path is a Windows path
// in code page 936.
#pragma once
#include <string>

// A file the library reads or writes: the library takes UTF-8 names.
std::string library_path(const char* path);

// A font file: the library's font engine opens it with the ANSI call, so the path stays in code
// page 936, marked by "@" as a file to open as it is.
std::string library_font_path(const char* path);

// Tells the library, before it starts, to take its coder modules from modules\coders in the
// executable's folder: the folder compiled into it names the build machine's.
void use_program_coder_modules();
