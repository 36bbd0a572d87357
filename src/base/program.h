// The program's identity and its folder, the folder of the executable: config.dat, temp\ and
// images\ live there.
#pragma once
#include <string>

// The program's title: the window caption and the desktop shortcut's name.
constexpr char ProgramTitle[] = "Ombrel";

// UTF-8, of any length; no trailing backslash except at a drive root (C:\). Set once at
// start-up.
extern std::string ProgramFolder;

// Sent in web requests ("%1.1f") and shown in the About box.
inline constexpr double ProgramVersion = 3.4;

// The folder part of a module path: cut at the last backslash, which stays only after a
// drive letter's colon; a path without backslash stays whole.
std::string folder_of_module_path(const std::string& module_path);

// The full path of the running executable; empty when the system cannot give it.
std::string executable_path();

// The one lookup of the executable's folder: folder_of_module_path of executable_path(), empty
// when that is unknown.
std::string executable_folder();

// Sets ProgramFolder: the folder of the executable, or the current directory when the
// executable's name cannot be had.
void find_program_folder();

// ProgramFolder, the pattern "%s\\%s", and name.
std::string program_file_path(const char* name);
