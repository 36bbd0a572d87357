// A fresh folder for one test, removed with everything in it afterwards.
#pragma once
#include <string>

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The Windows path of the folder (code page 936).
    const std::string& path() const { return path_; }
    // path() + "\\" + name
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// Test helpers that create things through Win32.
void make_folder(const std::string& path);
void make_file(const std::string& path, const std::string& content = "x");
std::string read_whole_file(const std::string& path);
