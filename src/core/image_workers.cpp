#include "core/image_workers.h"

#include <algorithm>

#include "platform/thread.h"

ImageWorkers::ImageWorkers(const RunContext& run, int count) : run_(run) {
    if (run.options.image_watermark)
        watermark_ = std::make_unique<WatermarkFile>(run.watermark_file);
    for (int i = 0; i < count; ++i)
        if (unique_handle thread = start_thread(thread_main, this))
            threads_.push_back(std::move(thread));
    if (threads_.empty() && watermark_)
        own_copy_.emplace(*watermark_);
}

ImageWorkers::~ImageWorkers() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    given_.notify_all();
    for (const unique_handle& thread : threads_)
        WaitForSingleObject(thread.get(), INFINITE);
}

void ImageWorkers::give(std::string source, std::string destination) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        images_.push_back({std::move(source), std::move(destination), false, std::nullopt});
    }
    given_.notify_one();
}

ImageResult ImageWorkers::take() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (threads_.empty()) {
        Image& image = images_.front();
        lock.unlock();
        image.result = process(image, own_copy_ ? &*own_copy_ : nullptr);
        lock.lock();
    }
    done_.wait(lock, [this] { return images_.front().result.has_value(); });
    ImageResult result = std::move(*images_.front().result);
    images_.pop_front();
    return result;
}

int ImageWorkers::in_hand() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(images_.size());
}

DWORD WINAPI ImageWorkers::thread_main(void* workers) {
    static_cast<ImageWorkers*>(workers)->work();
    return 0;
}

// Each thread takes the first image nobody has begun. An image being processed stays in the
// queue, unmoved, until its result has been taken.
void ImageWorkers::work() {
    std::optional<WatermarkCopy> watermark;
    if (watermark_)
        watermark.emplace(*watermark_);
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        auto next = images_.end();
        given_.wait(lock, [&] {
            next = std::find_if(images_.begin(), images_.end(),
                                [](const Image& image) { return !image.begun; });
            return stopping_ || next != images_.end();
        });
        if (stopping_)
            return;
        Image& image = *next;
        image.begun = true;
        lock.unlock();
        ImageResult result = process(image, watermark ? &*watermark : nullptr);
        lock.lock();
        image.result = std::move(result);
        done_.notify_all();
    }
}

// Nothing unwinds through the thread's start: a picture that runs the program out of memory is
// one that could not be processed.
ImageResult ImageWorkers::process(const Image& image, WatermarkCopy* watermark) const {
    try {
        return process_image(run_, image.source, image.destination, watermark);
    } catch (...) {
        return broken_off(image.source);
    }
}
