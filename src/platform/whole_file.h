// A file written whole or not at all: under a name of its own until it is complete, then moved
// into place in one step.
#pragma once
#include <string>
#include <string_view>

// Writes data under a partial name in folder ("ombrel-" with this process's identifier and a
// count in hexadecimal, ".part"), then moves it over folder\name (see replace_file): a failed
// write leaves neither a truncated file nor the earlier file destroyed. False when nothing new
// was written.
bool write_whole_file(std::string_view data, const std::string& folder, const std::string& name);

// Removes the partial files in folder that processes which have ended left behind (a program
// closed while it wrote a file).
void remove_left_over_partial_files(const std::string& folder);
