// Whole-file reading and writing through the wide Win32 calls: paths are UTF-8, of any length,
// relative ones to the Win32 current directory.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/unique_handle.h"

// Opens an existing file for reading; others may read, write or delete it meanwhile.
unique_file open_for_reading(const std::string& path);

// The whole content of the file, or nothing when it cannot be opened or read.
std::optional<std::string> read_file(const std::string& path);
// At most length bytes from the start of the file; nothing when it cannot be read.
std::optional<std::string> read_file_start(const std::string& path, std::size_t length);
// The file as a C stream for reading, for a library that reads through one (the image library
// and the program share the C runtime); null when it cannot be opened.
unique_stream open_stream_for_reading(const std::string& path);

// Creates the file empty when it is missing; an existing file is left as it is. False when it
// can be neither opened nor created.
bool create_if_missing(const std::string& path);

// Creates or truncates the file for writing; others may read it meanwhile.
unique_file create_for_writing(const std::string& path);
// Writes all of data at the file's position; false when any write fails.
bool write_all(const unique_file& file, std::string_view data);

// Creates or truncates the file and writes data; false when any step fails.
bool write_file(const std::string& path, std::string_view data);
// The same for a file that does not exist yet: false (ERROR_FILE_EXISTS) when it does.
bool write_new_file(const std::string& path, std::string_view data);

// Moves file over target in one step, so target is either what it was or all of file. A file
// already at target passes on its attributes (hidden, system, archive, not indexed), and its
// access list bounds file's (under Wine, whose lists know no group, the group may get the
// owner's rights); a read-only file or a folder at target is not replaced. False when nothing
// moved.
bool replace_file(const std::string& file, const std::string& target);

// Text files: CR LF on disk, LF in memory.
std::optional<std::string> read_text_file(const std::string& path);
bool write_text_file(const std::string& path, std::string_view text);
