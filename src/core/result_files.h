// How a result reaches its file: whole or not at all, under a name of its own until then.
#pragma once
#include <string>
#include <string_view>

// The name a result is written under in folder until it is complete: "ombrel-" with this
// process's identifier and count in hexadecimal, ".part".
std::string partial_output_path(const std::string& folder, unsigned count);

// Writes data under a partial name in folder, then moves it over folder\name (see replace_file):
// a failed write leaves neither a truncated file nor the earlier file destroyed. False when
// nothing new was written.
bool write_result(std::string_view data, const std::string& folder, const std::string& name);

// Removes the partial files in folder that processes which have ended left behind (a program
// closed while it wrote a result).
void remove_left_over_results(const std::string& folder);
