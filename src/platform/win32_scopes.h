// Owners and scopes for the GDI, painting and COM resources of the windows: each released
// once, on every path.
#pragma once
#include <windows.h>
#include <objbase.h>

#include "platform/unique_handle.h"

inline void delete_gdi_object(HGDIOBJ object) {
    DeleteObject(object);
}
using unique_brush = unique_any<HBRUSH, delete_gdi_object, 0>;
using unique_pen = unique_any<HPEN, delete_gdi_object, 0>;

// GetDC / ReleaseDC.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() {
        if (dc_)
            EndPaint(window_, &paint_);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// SelectObject, undone when the scope ends.
class SelectScope {
  public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectScope() {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// CoInitialize / CoUninitialize, the latter only when the former succeeded.
class ComScope {
  public:
    ComScope() : started_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (started_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool started_;
};

inline void release_com(IUnknown* object) {
    object->Release();
}

// A COM interface pointer, released once.
template <typename Interface> class unique_com : public unique_any<Interface*, release_com, 0> {
  public:
    using unique_any<Interface*, release_com, 0>::unique_any;
    Interface* operator->() const { return this->get(); }
    // For the out parameter of CoCreateInstance and QueryInterface.
    void** put() { return reinterpret_cast<void**>(unique_any<Interface*, release_com, 0>::put()); }
};
