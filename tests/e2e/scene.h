// What every scenario gets, and the file and registry helpers scenarios set things up with.
#pragma once
#include <string>
#include <vector>

#include "main_form.h"

struct Scene {
    std::string work;           // the scenario's own folder (Windows path)
    std::string program_folder; // a fresh copy of the staged program folder inside work
    std::string screenshot;     // where the scenario's screenshot goes (a Unix path)
};

// Starts the program of the scene with its main window up; the current folder is work, so
// the program has to find its own folder.
inline App start_app(const Scene& scene,
                     const std::function<void(DWORD)>& during_startup = nullptr) {
    return App(scene.program_folder, scene.work, during_startup);
}

// Registers the recording browser of the network tests for .html files and web URLs; the
// pages the program opens are then lines of work\\pages.log.
void record_opened_pages(const Scene& scene);
// The page URL of the product web site, as the program opens it.
std::string site_page(const char* path);
// Waits until the program has opened count pages; returns them in order.
std::vector<std::string> wait_for_pages(const Scene& scene, std::size_t count);

void write_text_file(const std::string& path, const std::string& content);
std::string read_text_file(const std::string& path);
bool file_exists(const std::string& path);
void make_folder(const std::string& path);

// The image library's key under HKEY_CURRENT_USER.
extern const char LibraryKey[];
void delete_library_key();
// The value, or "<missing>".
std::string library_value(const char* name);
void set_library_value(const char* name, const std::string& value);
