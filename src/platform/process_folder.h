// A folder of this process's own for scratch files that must not outlive it, below a folder
// that every running copy of the program shares. A process killed mid-run leaves its folder
// behind, and the next one made removes it; two runs at once each keep theirs.
#pragma once
#include <string>

#include "platform/unique_handle.h"

class ProcessFolder {
  public:
    // Removes the subfolders of base that no running process holds, then makes one for this
    // process and holds it (base is made when missing). path() is empty when base is no
    // absolute path or the folder cannot be made.
    explicit ProcessFolder(const std::string& base);
    // Removes the folder with the files in it.
    ~ProcessFolder();
    ProcessFolder(const ProcessFolder&) = delete;
    ProcessFolder& operator=(const ProcessFolder&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    unique_file lock_;
};
