// The images of a run processed on several threads at once, their results handed back in the
// order the images were given.
#pragma once
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/image_pipeline.h"
#include "core/run_context.h"
#include "imaging/watermark_image.h"
#include "platform/unique_handle.h"

class ImageWorkers {
  public:
    // Starts count threads (at least one is wanted; with none, take processes the image itself).
    ImageWorkers(const RunContext& run, int count);
    // Drops the images not begun and waits for those being processed: nothing of them is kept.
    ~ImageWorkers();
    ImageWorkers(const ImageWorkers&) = delete;
    ImageWorkers& operator=(const ImageWorkers&) = delete;

    // Queues the image source, to become the result for the file destination.
    void give(std::string source, std::string destination);
    // The result of the image given first of those not taken yet, once it is ready.
    ImageResult take();
    // Images given and not taken yet.
    int in_hand() const;
    int count() const { return static_cast<int>(threads_.size()); }

  private:
    struct Image {
        std::string source, destination;
        bool begun = false;
        std::optional<ImageResult> result;
    };
    static DWORD WINAPI thread_main(void* workers);
    void work();
    ImageResult process(const Image& image, WatermarkCopy* watermark) const;

    const RunContext& run_;
    std::unique_ptr<WatermarkFile> watermark_; // with an image watermark
    std::optional<WatermarkCopy> own_copy_;    // for the images take processes itself
    mutable std::mutex mutex_;                 // guards what follows
    std::condition_variable given_, done_;
    std::deque<Image> images_; // given and not taken, in order
    bool stopping_ = false;
    std::vector<unique_handle> threads_;
};
