// The one way a program path (UTF-8) reaches a wide Win32 file-system call.
#pragma once
#include <string>

// path as UTF-16. A full path (C:\..., \\server\share\...) is also made plain (., .., / and
// doubled separators resolved) and given the \\?\ or \\?\UNC\ prefix, which lifts the system's
// 260-character limit; a relative path stays relative to the current directory.
std::wstring wide_path(const std::string& path);

// path made absolute against the current directory, as the system resolves it (., .. and /);
// path as it is when the system cannot.
std::wstring full_wide_path(const std::wstring& path);
