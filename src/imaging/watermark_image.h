// The watermark image of a run: its file decoded once and again only when it changes, and a copy
// of the picture for each thread that stamps it.
#pragma once
#include <mutex>
#include <optional>
#include <string>

#include <wand/MagickWand.h>

#include "imaging/magick.h"
#include "platform/file_system.h"

// The file's picture as last decoded, shared by the threads of a run.
class WatermarkFile {
  public:
    explicit WatermarkFile(std::string path) : path_(std::move(path)) {}

  private:
    friend class WatermarkCopy;
    const std::string path_; // a program path
    std::mutex mutex_;       // guards what follows
    std::optional<FileStamp> stamp_;
    unique_magick_wand picture_; // null when the file as stamped could not be read
    unsigned version_ = 0;       // counts the decodes
};

// One thread's own copy of the picture: the library's pixel cache takes no readers from several
// threads through one image.
class WatermarkCopy {
  public:
    explicit WatermarkCopy(WatermarkFile& file) : file_(file) {}
    // The picture as the file is now, decoded anew when its size or time changed since; null
    // when the file cannot be read.
    MagickWand* current();
    // The same picture resized to width pixels wide, aspect kept: made once for each width in a
    // row (a run of one width makes it once).
    MagickWand* current(int width);

  private:
    WatermarkFile& file_;
    unique_magick_wand copy_;
    unsigned version_ = 0;
    unique_magick_wand resized_; // copy_ at resized_width_
    int resized_width_ = 0;
    unsigned resized_version_ = 0;
};
