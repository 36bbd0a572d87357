#include "imaging/image_reader.h"

#include <cstring>
#include <string>

#include <windows.h>

#include "imaging/image_signature.h"
#include "imaging/magick.h"
#include "platform/file_io.h"
#include "platform/library_path.h"

namespace {

// The coder the file's first bytes call for, or nullptr for a file that is missing, cannot be
// read or is no raster image the program takes.
const char* coder_for_file(const char* path) {
    const unique_file file = open_for_reading(path);
    if (!file)
        return nullptr;
    unsigned char head[image_signature_length];
    DWORD got = 0;
    if (!ReadFile(file.get(), head, sizeof head, &got, nullptr))
        return nullptr;
    return coder_for_signature(head, got);
}

// The name the library reads the file by: the coder its first bytes call for, then the
// library's path ("PNG:/path"), so the library never guesses the format from the content or
// the name. Empty when the file is no raster image the program takes.
std::string library_name(const char* path, const char** coder) {
    *coder = coder_for_file(path);
    if (!*coder)
        return {};
    const std::string file = library_path(path);
    return file.empty() ? std::string() : std::string(*coder) + ":" + file;
}

bool holds_a_picture(MagickWand* wand) {
    return MagickGetNumberImages(wand) > 0 && MagickGetImageWidth(wand) > 0 &&
           MagickGetImageHeight(wand) > 0;
}

} // namespace

// Some coders answer a damaged file with an empty picture; that is a failed read too. A size
// hint the library does not take only costs time: the picture is then decoded whole.
bool read_image(MagickWand* wand, const char* path, int scale) {
    const char* coder;
    const std::string name = library_name(path, &coder);
    if (name.empty())
        return false;
    if (scale > 1 && std::strcmp(coder, "JPEG") == 0) {
        // The decoder picks the smallest of its scales that keeps this size.
        const ImageSize stored = stored_image_size(path);
        const std::string size =
            std::to_string(stored.width / scale) + "x" + std::to_string(stored.height / scale);
        MagickSetOption(wand, "jpeg:size", size.c_str());
    }
    const bool read = MagickReadImage(wand, name.c_str()) == MagickTrue && holds_a_picture(wand);
    MagickDeleteOption(wand, "jpeg:size");
    return read;
}

ImageSize stored_image_size(const char* path) {
    const char* coder;
    const std::string name = library_name(path, &coder);
    const auto wand = new_magick_wand();
    if (name.empty() || !wand || MagickPingImage(wand.get(), name.c_str()) != MagickTrue ||
        !holds_a_picture(wand.get()))
        return {};
    return {static_cast<int>(MagickGetImageWidth(wand.get())),
            static_cast<int>(MagickGetImageHeight(wand.get()))};
}
