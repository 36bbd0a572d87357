#include "platform/whole_file.h"

#include <cstdio>

#include "platform/file_io.h"
#include "platform/unique_handle.h"
#include "platform/wide_path.h"
#include "base/utf.h"

namespace {

constexpr char PartialPattern[] = "ombrel-%lx-%x.part";

// Short, so that every name the destination folder takes can be written through it; no image
// extension, so that a left-over is never taken for a source; the process and a count in it,
// so that two writers, in one run or two, never meet.
std::string partial_path(const std::string& folder, unsigned count) {
    char name[40];
    std::snprintf(name, sizeof name, PartialPattern,
                  static_cast<unsigned long>(GetCurrentProcessId()), count);
    return folder + "\\" + name;
}

// The first count whose name is free; a name whose file exists is taken by another writer or
// left over from a process that had this identifier.
std::string write_partial_file(const std::string& folder, std::string_view data) {
    for (unsigned count = 0; count < 100; ++count) {
        const std::string partial = partial_path(folder, count);
        if (write_new_file(partial, data))
            return partial;
        if (GetLastError() != ERROR_FILE_EXISTS) {
            DeleteFileW(wide_path(partial).c_str()); // whatever part of it was written
            return {};
        }
    }
    return {};
}

// The process that wrote a partial file of that name; 0 for any other name.
unsigned long writer_of(const char* name) {
    unsigned long process = 0;
    unsigned count = 0;
    char again[40];
    if (std::sscanf(name, PartialPattern, &process, &count) != 2)
        return 0;
    std::snprintf(again, sizeof again, PartialPattern, process, count);
    return std::string_view(again) == name ? process : 0;
}

// A write of this process never leaves its partial file behind once it returns, so a file of
// its own identifier is a left-over of an ended process that had it.
bool has_ended(unsigned long process) {
    if (process == GetCurrentProcessId())
        return true;
    const unique_handle running(OpenProcess(SYNCHRONIZE, FALSE, process));
    return !running && GetLastError() == ERROR_INVALID_PARAMETER;
}

} // namespace

// An interrupted write never leaves a truncated file, nor destroys the file it replaces.
bool write_whole_file(std::string_view data, const std::string& folder, const std::string& name) {
    if (data.empty())
        return false;
    const std::string partial = write_partial_file(folder, data);
    if (partial.empty())
        return false;
    if (replace_file(partial, folder + "\\" + name))
        return true;
    DeleteFileW(wide_path(partial).c_str());
    return false;
}

// A process that still runs keeps its files, whatever it is.
void remove_left_over_partial_files(const std::string& folder) {
    WIN32_FIND_DATAW entry;
    const unique_find find(FindFirstFileW(wide_path(folder + "\\ombrel-*.part").c_str(), &entry));
    if (!find)
        return;
    do {
        const std::string name = narrow(entry.cFileName);
        const unsigned long process = writer_of(name.c_str());
        if (process != 0 && !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            has_ended(process))
            DeleteFileW(wide_path(folder + "\\" + name).c_str());
    } while (FindNextFileW(find.get(), &entry));
}
