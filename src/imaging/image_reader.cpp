#include "imaging/image_reader.h"

#include <cstring>
#include <optional>
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

// What the file's header says: the size of the picture as stored, and its orientation tag.
struct Header {
    ImageSize stored;
    OrientationType orientation = UndefinedOrientation;
};

std::optional<Header> read_header(const char* path) {
    const char* coder;
    const std::string name = library_name(path, &coder);
    const auto wand = new_magick_wand();
    if (name.empty() || !wand || MagickPingImage(wand.get(), name.c_str()) != MagickTrue ||
        !holds_a_picture(wand.get()))
        return std::nullopt;
    return Header{{static_cast<int>(MagickGetImageWidth(wand.get())),
                   static_cast<int>(MagickGetImageHeight(wand.get()))},
                  MagickGetImageOrientation(wand.get())};
}

// Orientations 5 to 8 store the picture turned by a quarter: upright, width and height swap.
bool stored_sideways(OrientationType orientation) {
    return orientation == LeftTopOrientation || orientation == RightTopOrientation ||
           orientation == RightBottomOrientation || orientation == LeftBottomOrientation;
}

// The decoder's warnings that the picture data ran out before the picture did (a file cut
// short, a scan broken off): the rest of the picture is grey fill, not the photograph. They sit
// on the image among harmless ones (extraneous bytes before a marker), in the order they came.
bool picture_data_ended_early(MagickWand* wand) {
    const Image* image = GetImageFromMagickWand(wand);
    if (!image || image->exception.severity == UndefinedException)
        return false;
    auto* warnings = static_cast<LinkedListInfo*>(image->exception.exceptions);
    ResetLinkedListIterator(warnings);
    while (const auto* warning =
               static_cast<const ExceptionInfo*>(GetNextValueInLinkedList(warnings))) {
        const std::string reason = warning->reason ? warning->reason : "";
        if (reason.rfind("Premature end of JPEG file", 0) == 0 ||
            reason.find("premature end of data segment") != std::string::npos)
            return true;
    }
    return false;
}

// Every later step, and whoever views the result, sees the picture as a viewer shows the
// source: the pixels are turned as the camera's tag says and the tag becomes upright (the JPEG
// writer writes it so). The turn may leave a page offset behind, which no step wants.
bool orient_upright(MagickWand* wand) {
    const OrientationType orientation = MagickGetImageOrientation(wand);
    if (orientation == UndefinedOrientation || orientation == TopLeftOrientation)
        return true;
    return MagickAutoOrientImage(wand) == MagickTrue &&
           MagickSetImagePage(wand, 0, 0, 0, 0) == MagickTrue;
}

} // namespace

// Some coders answer a damaged file with an empty picture, the JPEG decoder one with its lower
// part grey; both are failed reads. A size hint the library does not take only costs time: the
// picture is then decoded whole.
bool read_image(MagickWand* wand, const char* path, int scale) {
    const char* coder;
    const std::string name = library_name(path, &coder);
    if (name.empty())
        return false;
    if (scale > 1 && std::strcmp(coder, "JPEG") == 0) {
        // The decoder picks the smallest of its scales that keeps this size of the file's own
        // (not yet upright) picture.
        const std::optional<Header> header = read_header(path);
        const ImageSize stored = header ? header->stored : ImageSize{};
        const std::string size =
            std::to_string(stored.width / scale) + "x" + std::to_string(stored.height / scale);
        MagickSetOption(wand, "jpeg:size", size.c_str());
    }
    const bool read = MagickReadImage(wand, name.c_str()) == MagickTrue && holds_a_picture(wand) &&
                      !picture_data_ended_early(wand);
    MagickDeleteOption(wand, "jpeg:size");
    return read && orient_upright(wand);
}

ImageSize stored_image_size(const char* path) {
    const std::optional<Header> header = read_header(path);
    if (!header)
        return {};
    if (stored_sideways(header->orientation))
        return {header->stored.height, header->stored.width};
    return header->stored;
}
