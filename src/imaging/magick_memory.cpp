#include "imaging/magick_memory.h"

#include <cstddef>
#include <deque>
#include <mutex>

#include <malloc.h>

#include <wand/MagickWand.h>

namespace {

// Each block starts with its size, one alignment unit before what the library gets.
constexpr std::size_t Alignment = 64; // the library asks for its cache line
constexpr std::size_t LargeBlock = std::size_t{256} << 10;
// A few pictures' worth for each of a few workers; the oldest go first.
constexpr std::size_t KeptLimit = std::size_t{64} << 20;

std::mutex kept_mutex; // guards what follows
std::deque<char*> kept;
std::size_t kept_bytes = 0;

std::size_t size_of(const char* block) {
    return *reinterpret_cast<const std::size_t*>(block);
}

// A kept block of at least size, not much larger: a small picture does not hold a large block.
char* take_kept(std::size_t size) {
    const std::lock_guard<std::mutex> lock(kept_mutex);
    for (auto it = kept.begin(); it != kept.end(); ++it)
        if (size_of(*it) >= size && size_of(*it) - size <= size / 4) {
            char* block = *it;
            kept.erase(it);
            kept_bytes -= size_of(block);
            return block;
        }
    return nullptr;
}

void* acquire(std::size_t size, std::size_t) {
    char* block = size >= LargeBlock ? take_kept(size) : nullptr;
    if (!block) {
        block = static_cast<char*>(_aligned_malloc(size + Alignment, Alignment));
        if (!block)
            return nullptr;
        *reinterpret_cast<std::size_t*>(block) = size;
    }
    return block + Alignment;
}

void relinquish(void* memory) {
    if (!memory)
        return;
    char* block = static_cast<char*>(memory) - Alignment;
    const std::size_t size = size_of(block);
    if (size >= LargeBlock && size <= KeptLimit) {
        const std::lock_guard<std::mutex> lock(kept_mutex);
        kept.push_back(block);
        kept_bytes += size;
        while (kept_bytes > KeptLimit) {
            kept_bytes -= size_of(kept.front());
            _aligned_free(kept.front());
            kept.pop_front();
        }
        return;
    }
    _aligned_free(block);
}

} // namespace

void keep_large_library_blocks() {
    SetMagickAlignedMemoryMethods(acquire, relinquish);
}

void free_kept_library_blocks() {
    const std::lock_guard<std::mutex> lock(kept_mutex);
    for (char* block : kept)
        _aligned_free(block);
    kept.clear();
    kept_bytes = 0;
}
