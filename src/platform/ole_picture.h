// Pictures decoded by OLE (JPEG, GIF, BMP...) for drawing into windows: the banner strip and the
// preview window.
#pragma once
#include <string>
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "platform/win32_scopes.h"

// A decoded picture and its size in HIMETRIC units (0.01 mm), as the picture reports it.
struct OlePicture {
    unique_com<IPicture> picture;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;

    explicit operator bool() const { return static_cast<bool>(picture); }
};

enum class PictureLoad {
    loaded,
    unreadable,  // the file cannot be opened or read, or there is no memory for it
    undecodable, // OleLoadPicture refused the content
};

// Reads the whole file into movable global memory and decodes it through a stream over that
// memory. On anything but loaded, picture stays empty.
PictureLoad load_ole_picture(const std::string& path, OlePicture& picture);

// Draws the picture upright, stretched over the rectangle (x, y, width, height) of dc.
void render_ole_picture(const OlePicture& picture, HDC dc, int x, int y, int width, int height);
