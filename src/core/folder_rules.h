// Rules on the source and target folders of a run.
#pragma once
#include <string>

// True when target lies below source: it begins with the source folder (letter case aside)
// followed by a backslash, or source ends in one (a drive root such as D:\). A target equal
// to the source does not lie below it.
bool lies_below(const std::string& target, const std::string& source);

// Where a folder of the source tree goes: the target followed by the part of folder below
// source (folder always begins with the source text, as the folder listing builds it).
std::string mirrored_folder(const std::string& folder, const std::string& source,
                            const std::string& target);
