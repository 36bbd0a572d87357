#include "platform/ole_picture.h"

#include "platform/file_io.h"
#include "platform/wide_path.h"

namespace {

// The whole file in movable global memory, or null.
unique_global read_into_global(const std::string& path, DWORD& size) {
    const unique_file file(CreateFileW(wide_path(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return {};
    unique_global memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory)
        return {};
    void* bytes = GlobalLock(memory.get());
    if (!bytes)
        return {};
    DWORD got = 0;
    const bool read = ReadFile(file.get(), bytes, size, &got, nullptr) && got == size;
    GlobalUnlock(memory.get());
    return read ? std::move(memory) : unique_global{};
}

} // namespace

PictureLoad load_ole_picture(const std::string& path, OlePicture& picture) {
    picture = OlePicture{};
    DWORD size = 0;
    unique_global memory = read_into_global(path, size);
    if (!memory)
        return PictureLoad::unreadable;
    IStream* raw_stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory.get(), TRUE, &raw_stream)))
        return PictureLoad::unreadable;
    memory.release(); // the stream frees it
    const unique_com<IStream> stream(raw_stream);
    IPicture* raw_picture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), TRUE, IID_IPicture,
                              reinterpret_cast<void**>(&raw_picture))) ||
        !raw_picture)
        return PictureLoad::undecodable;
    picture.picture.reset(raw_picture);
    raw_picture->get_Width(&picture.width);
    raw_picture->get_Height(&picture.height);
    return PictureLoad::loaded;
}

void render_ole_picture(const OlePicture& picture, HDC dc, int x, int y, int width, int height) {
    // HIMETRIC runs upwards: start at the picture's top and go down by its height.
    picture.picture.get()->Render(dc, x, y, width, height, 0, picture.height, picture.width,
                                  -picture.height, nullptr);
}
