// Rules on the source and target folders of a run.
#pragma once
#include <functional>
#include <string>

// True when target lies below source: it begins with the source folder (letter case aside)
// followed by a backslash, or source ends in one (a drive root such as D:\). A target equal
// to the source does not lie below it.
bool lies_below(const std::string& target, const std::string& source);

// The target proposed for a chosen source folder: the first of source + "_处理后",
// "_处理后2", "_处理后3", … that is_taken refuses.
std::string propose_target_folder(const std::string& source,
                                  const std::function<bool(const std::string&)>& is_taken);

// Where a folder of the source tree goes: the target followed by the part of folder below
// source (folder always begins with the source text, as the folder listing builds it).
std::string mirrored_folder(const std::string& folder, const std::string& source,
                            const std::string& target);
