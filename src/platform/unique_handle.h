// Every kind of Win32 handle the program owns, one line each, on the one owner template.
#pragma once
#include <cstdio>
#include <cstdint>

#include <windows.h>
#include <objbase.h>
#include <shtypes.h>

#include "base/unique_any.h"

inline void close_kernel_handle(HANDLE h) {
    CloseHandle(h);
}
inline void close_find_handle(HANDLE h) {
    FindClose(h);
}
inline void close_key(HKEY key) {
    RegCloseKey(key);
}
inline void free_global(HGLOBAL memory) {
    GlobalFree(memory);
}
inline void free_library(HMODULE module) {
    FreeLibrary(module);
}
inline void free_process_heap(void* memory) {
    HeapFree(GetProcessHeap(), 0, memory);
}
inline void free_com_memory(void* memory) {
    CoTaskMemFree(memory);
}
inline void delete_gdi_object(HGDIOBJ object) {
    DeleteObject(object);
}
inline void delete_dc(HDC dc) {
    DeleteDC(dc);
}
inline void close_stream(FILE* stream) {
    std::fclose(stream);
}
inline void release_com(IUnknown* object) {
    object->Release();
}
// A SOCKET without the WinSock headers, which must come before every C library header and are
// therefore left to platform/winsock.cpp.
using socket_handle = std::uintptr_t;
void close_socket(socket_handle socket);

// CreateFileA answers INVALID_HANDLE_VALUE on failure, CreateThread and friends null.
using unique_file = unique_any<HANDLE, close_kernel_handle, -1>;
using unique_find = unique_any<HANDLE, close_find_handle, -1>;
using unique_handle = unique_any<HANDLE, close_kernel_handle, 0>;
using unique_key = unique_any<HKEY, close_key, 0>;
using unique_global = unique_any<HGLOBAL, free_global, 0>;
using unique_module = unique_any<HMODULE, free_library, 0>;
using unique_brush = unique_any<HBRUSH, delete_gdi_object, 0>;
using unique_pen = unique_any<HPEN, delete_gdi_object, 0>;
using unique_font = unique_any<HFONT, delete_gdi_object, 0>;
using unique_dc = unique_any<HDC, delete_dc, 0>;                   // CreateCompatibleDC
using unique_socket = unique_any<socket_handle, close_socket, -1>; // INVALID_SOCKET
using unique_stream = unique_any<FILE*, close_stream, 0>;          // _wfopen
// The shell's item lists (SHBrowseForFolderA, SHGetSpecialFolderLocation).
using unique_item_list = unique_any<ITEMIDLIST*, free_com_memory, 0>;
// Memory the system hands out from the process heap.
template <typename T> using unique_process_heap = unique_any<T*, free_process_heap, 0>;

// A COM interface pointer, released once.
template <typename Interface> class unique_com : public unique_any<Interface*, release_com, 0> {
  public:
    using unique_any<Interface*, release_com, 0>::unique_any;
    Interface* operator->() const { return this->get(); }
    // For the out parameter of CoCreateInstance and QueryInterface.
    void** put() { return reinterpret_cast<void**>(unique_any<Interface*, release_com, 0>::put()); }
};
