// The line-end translation of text files: CR LF on disk, LF in memory.
#pragma once
#include <string>
#include <string_view>

// Drops every CR that stands directly before an LF.
std::string from_text_mode(std::string_view disk);

// Writes every LF as CR LF.
std::string to_text_mode(std::string_view text);
