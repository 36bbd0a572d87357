#include "imaging/image_reader.h"

#include <windows.h>

#include "imaging/image_signature.h"
#include "platform/file_io.h"
#include "platform/library_path.h"

namespace {

// The coder the file's first bytes call for, or nullptr for a file that is missing, cannot be
// read or is no raster image the program takes.
const char* coder_for_file(const char* path) {
    const unique_file file = open_for_reading(path);
    if (!file) return nullptr;
    unsigned char head[image_signature_length];
    DWORD got = 0;
    if (!ReadFile(file.get(), head, sizeof head, &got, nullptr)) return nullptr;
    return coder_for_signature(head, got);
}

} // namespace

// The read names the coder ("PNG:/path"), so the library never guesses the format from the
// content or the name. Some coders answer a damaged file with an empty picture; that is a
// failed read too.
bool read_image(MagickWand* wand, const char* path) {
    const char* coder = coder_for_file(path);
    if (!coder) return false;
    const std::string file = library_path(path);
    if (file.empty()) return false;
    const std::string name = std::string(coder) + ":" + file;
    return MagickReadImage(wand, name.c_str()) == MagickTrue && MagickGetNumberImages(wand) > 0 &&
           MagickGetImageWidth(wand) > 0 && MagickGetImageHeight(wand) > 0;
}
