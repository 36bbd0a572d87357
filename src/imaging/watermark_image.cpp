#include "imaging/watermark_image.h"

#include "imaging/geometry.h"
#include "imaging/image_reader.h"

namespace {

// A copy with pixels of its own: a plain clone shares the original's pixel cache until one of
// them writes, and asking for the image's storage once makes the copy take its own.
unique_magick_wand deep_copy(MagickWand* picture) {
    unique_magick_wand copy(CloneMagickWand(picture));
    if (!copy)
        return copy;
    for (Image* frame = GetFirstImageInList(GetImageFromMagickWand(copy.get())); frame;
         frame = GetNextImageInList(frame))
        if (SetImageStorageClass(frame, frame->storage_class) != MagickTrue)
            return {};
    return copy;
}

} // namespace

// The stamp is taken before the decode: a file that changes during the decode is decoded again
// for the next picture.
MagickWand* WatermarkCopy::current() {
    const std::optional<FileStamp> stamp = file_stamp(file_.path_.c_str());
    const std::lock_guard<std::mutex> lock(file_.mutex_);
    if (!stamp)
        return nullptr;
    if (stamp != file_.stamp_) {
        file_.stamp_ = stamp;
        file_.picture_ = new_magick_wand();
        if (file_.picture_ && !read_image(file_.picture_.get(), file_.path_.c_str()))
            file_.picture_.reset();
        ++file_.version_;
    }
    if (!file_.picture_)
        return nullptr;
    if (!copy_ || version_ != file_.version_) {
        copy_ = deep_copy(file_.picture_.get());
        version_ = file_.version_;
    }
    return copy_.get();
}

// A resize makes new pixels: the resized picture shares nothing with the copy.
MagickWand* WatermarkCopy::current(int width) {
    MagickWand* picture = current();
    if (!picture)
        return nullptr;
    if (!resized_ || resized_width_ != width || resized_version_ != version_) {
        resized_.reset(CloneMagickWand(picture));
        const int height = resized_height(static_cast<int>(MagickGetImageWidth(picture)),
                                          static_cast<int>(MagickGetImageHeight(picture)), width);
        if (resized_ &&
            MagickResizeImage(resized_.get(), width, height, LanczosFilter, 1.0) != MagickTrue)
            resized_.reset();
        resized_width_ = width;
        resized_version_ = version_;
    }
    return resized_.get();
}
