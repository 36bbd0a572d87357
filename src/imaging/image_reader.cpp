#include "imaging/image_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include <windows.h>

#include "imaging/image_signature.h"
#include "imaging/magick.h"
#include "platform/file_io.h"

namespace {

// A file's first bytes: the coder they call for and, for WebP, the size they claim.
struct FileHead {
    unsigned char bytes[image_signature_length];
    std::size_t length = 0;
    const char* coder = nullptr;
};

// Nothing for a file that is missing, cannot be read or is no raster image the program takes.
std::optional<FileHead> read_head(const std::string& path) {
    const std::optional<std::string> start = read_file_start(path, image_signature_length);
    if (!start)
        return std::nullopt;
    FileHead head;
    head.length = start->size();
    std::memcpy(head.bytes, start->data(), head.length);
    head.coder = coder_for_signature(head.bytes, head.length);
    return head.coder ? std::optional<FileHead>(head) : std::nullopt;
}

// The library reads the file through a stream the program opened, under the coder its first
// bytes call for, so it never guesses the format from the content or the name, and no path
// reaches it: a name in any script and of any length is opened as the platform opens it (the
// library itself opens no path beyond 260 characters, and takes "[...]" in a name for a frame
// number). The coder is named as the prefix of an empty file name ("JPEG:"), which the library
// takes at its word; a coder given as the wand's format only would have it copy the whole stream
// into a temporary file to look at its first bytes, at every ping and every read. The name is
// the wand's only for the read: the wand's name would also choose the format of its writes.
template <typename Read> bool read_stream(MagickWand* wand, const ImageHeader& header, Read read) {
    const unique_stream stream = open_stream_for_reading(header.path);
    if (!stream)
        return false;
    MagickSetFilename(wand, (header.coder + ":").c_str());
    const bool done = read(wand, stream.get()) == MagickTrue;
    MagickSetFilename(wand, "");
    return done;
}

bool holds_a_picture(MagickWand* wand) {
    return MagickGetNumberImages(wand) > 0 && MagickGetImageWidth(wand) > 0 &&
           MagickGetImageHeight(wand) > 0;
}

bool within_picture_limits(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= MaxPicturePixels;
}

// The canvas of a GIF, on which its frames are laid: the size its header gives, enlarged to
// hold the first frame where the header gives less (as viewers do).
ImageSize gif_canvas(const Image* first) {
    return {static_cast<int>(std::max<size_t>(first->page.width, first->page.x + first->columns)),
            static_cast<int>(std::max<size_t>(first->page.height, first->page.y + first->rows))};
}

// A GIF moves only when it has frames to move between and a delay to show them by: one frame
// cannot move, whatever its delay, and frames without a delay are shown at once, one after the
// other, as one picture.
bool moves(const Image* first) {
    if (!GetNextImageInList(first))
        return false;
    for (const Image* frame = first; frame; frame = GetNextImageInList(frame))
        if (frame->delay != 0)
            return true;
    return false;
}

// Every frame, and all of them together: a still GIF's frames are all decoded.
bool frames_within_picture_limits(MagickWand* wand) {
    uint64_t pixels = 0;
    for (const Image* frame = GetFirstImageInList(GetImageFromMagickWand(wand)); frame;
         frame = GetNextImageInList(frame)) {
        if (!within_picture_limits(frame->columns, frame->rows))
            return false;
        pixels += uint64_t{frame->columns} * frame->rows;
    }
    return pixels <= MaxPicturePixels;
}

// Orientations 5 to 8 store the picture turned by a quarter: upright, width and height swap.
bool stored_sideways(OrientationType orientation) {
    return orientation == LeftTopOrientation || orientation == RightTopOrientation ||
           orientation == RightBottomOrientation || orientation == LeftBottomOrientation;
}

// The header alone, not a pixel decoded: the decoders size their own buffers by the claim (a
// progressive JPEG's coefficients for the whole picture, even when it is decoded at a fraction of
// its size) before the library's limits see the picture. The library's JPEG, PNG, GIF and BMP
// coders answer a ping from the header (the library's limit on the number of frames stops a GIF
// of countless frames); its WebP coder decodes the whole picture even then, so a WebP file's
// claim is taken from its first bytes.
std::optional<ImageHeader> read_header(const FileHead& head, const std::string& path) {
    ImageHeader header;
    header.coder = head.coder;
    header.path = path;
    if (std::strcmp(head.coder, "WEBP") == 0) {
        header.stored = header.upright = webp_claimed_size(head.bytes, head.length);
        header.within_limits = within_picture_limits(header.stored.width, header.stored.height);
        return header;
    }
    const auto wand = new_magick_wand();
    if (!wand || !read_stream(wand.get(), header, MagickPingImageFile) ||
        !holds_a_picture(wand.get()))
        return std::nullopt;
    header.stored = {static_cast<int>(MagickGetImageWidth(wand.get())),
                     static_cast<int>(MagickGetImageHeight(wand.get()))};
    header.upright = header.stored;
    if (stored_sideways(MagickGetImageOrientation(wand.get())))
        header.upright = {header.stored.height, header.stored.width};
    header.within_limits = frames_within_picture_limits(wand.get());
    header.animated = std::strcmp(head.coder, "GIF") == 0 &&
                      moves(GetFirstImageInList(GetImageFromMagickWand(wand.get())));
    return header;
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

// A transparent canvas of width x height that takes its other attributes (its format among
// them) from frame.
unique_image transparent_canvas(const Image* frame, int width, int height,
                                ExceptionInfo* exception) {
    unique_image canvas(CloneImage(frame, width, height, MagickTrue, exception));
    if (!canvas)
        return nullptr;
    canvas.get()->page = RectangleInfo{size_t(width), size_t(height), 0, 0};
    canvas.get()->background_color.opacity = TransparentOpacity;
    return SetImageBackgroundColor(canvas.get()) == MagickTrue ? std::move(canvas) : nullptr;
}

// What a viewer shows once it has drawn every frame: each frame laid over the canvas at its
// offset, and after it the canvas cleared where it lay or put back as it was before it, as the
// frame's disposal says. One canvas, and a copy of it only around a frame that puts it back.
unique_image shown_picture(const Image* first, ExceptionInfo* exception) {
    const ImageSize size = gif_canvas(first);
    unique_image canvas = transparent_canvas(first, size.width, size.height, exception);
    for (const Image* frame = first; canvas && frame; frame = GetNextImageInList(frame)) {
        const bool last = !GetNextImageInList(frame);
        unique_image before;
        if (!last && frame->dispose == PreviousDispose) {
            before.reset(CloneImage(canvas.get(), 0, 0, MagickTrue, exception));
            if (!before)
                return nullptr;
        }
        if (CompositeImage(canvas.get(), OverCompositeOp, frame, frame->page.x, frame->page.y) !=
            MagickTrue)
            return nullptr;
        if (last)
            break;
        if (frame->dispose == BackgroundDispose) {
            const unique_image clear =
                transparent_canvas(frame, int(frame->columns), int(frame->rows), exception);
            if (!clear || CompositeImage(canvas.get(), CopyCompositeOp, clear.get(), frame->page.x,
                                         frame->page.y) != MagickTrue)
                return nullptr;
        } else if (frame->dispose == PreviousDispose) {
            canvas = std::move(before);
        }
    }
    return canvas;
}

// A GIF is the picture it shows on its whole canvas, not the patch that its last frame covers.
// A single frame that fills its canvas, as most still GIFs have, is that picture already.
bool show_whole_canvas(MagickWand* wand) {
    const Image* first = GetFirstImageInList(GetImageFromMagickWand(wand));
    const ImageSize canvas = gif_canvas(first);
    if (!GetNextImageInList(first) && first->page.x == 0 && first->page.y == 0 &&
        canvas.width == int(first->columns) && canvas.height == int(first->rows))
        return true;
    const unique_exception exception(AcquireExceptionInfo());
    const unique_image shown = shown_picture(first, exception.get());
    // The wand takes the picture by reference to its pixels, not as a copy of them.
    const unique_magick_wand picture(shown ? NewMagickWandFromImage(shown.get()) : nullptr);
    if (!picture)
        return false;
    while (MagickGetNumberImages(wand) > 1)
        MagickRemoveImage(wand);
    return MagickSetImage(wand, picture.get()) == MagickTrue;
}

// A 32-bit BMP without transparency is written with every alpha byte zero: taken at its word,
// the whole picture would be transparent. The look stops at the first alpha that is not zero.
bool opaque_unless_alpha_used(MagickWand* wand) {
    if (MagickGetImageAlphaChannel(wand) != MagickTrue)
        return true;
    const Image* image = GetImageFromMagickWand(wand);
    const unique_exception exception(AcquireExceptionInfo());
    const unique_cache_view view(AcquireVirtualCacheView(image, exception.get()));
    for (ssize_t y = 0; view && y < ssize_t(image->rows); ++y) {
        const PixelPacket* row =
            GetCacheViewVirtualPixels(view.get(), 0, y, image->columns, 1, exception.get());
        if (!row)
            return false;
        for (size_t x = 0; x < image->columns; ++x)
            if (row[x].opacity != TransparentOpacity)
                return true;
    }
    return view && MagickSetImageAlphaChannel(wand, DeactivateAlphaChannel) == MagickTrue;
}

bool read_by(const ImageHeader& header, const char* coder) {
    return header.coder == coder;
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
bool read_image(MagickWand* wand, const ImageHeader& header, int scale) {
    if (!header.within_limits)
        return false;
    if (scale > 1 && read_by(header, "JPEG")) {
        // The decoder picks the smallest of its scales that keeps this size of the file's own
        // (not yet upright) picture.
        const std::string size = std::to_string(header.stored.width / scale) + "x" +
                                 std::to_string(header.stored.height / scale);
        MagickSetOption(wand, "jpeg:size", size.c_str());
    }
    const bool read = read_stream(wand, header, MagickReadImageFile) && holds_a_picture(wand) &&
                      !picture_data_ended_early(wand);
    MagickDeleteOption(wand, "jpeg:size");
    return read && (!read_by(header, "GIF") || show_whole_canvas(wand)) &&
           (!read_by(header, "BMP") || opaque_unless_alpha_used(wand)) && orient_upright(wand);
}

bool read_image(MagickWand* wand, const std::string& path) {
    const std::optional<ImageHeader> header = read_image_header(path);
    return header && read_image(wand, *header);
}

std::optional<ImageHeader> read_image_header(const std::string& path) {
    const std::optional<FileHead> head = read_head(path);
    return head ? read_header(*head, path) : std::nullopt;
}
