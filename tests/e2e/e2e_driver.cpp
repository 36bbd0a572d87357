// Runs one end-to-end scenario against the staged program:
//   e2e_driver.exe SCENARIO WORK_FOLDER SCREENSHOT.png
// (WORK_FOLDER a Windows path, SCREENSHOT.png a Unix path)
// WORK_FOLDER (a Windows path) holds a fresh copy of the program folder named Ombrel.
#include <cstdio>
#include <cstring>

#include "online_scenarios.h"
#include "scenarios.h"

namespace {

// The driver's texts are code page 936; the terminal that shows them expects UTF-8.
std::string utf8(const std::string& gbk) {
    const int wide_length = MultiByteToWideChar(936, 0, gbk.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
    MultiByteToWideChar(936, 0, gbk.c_str(), -1, &wide[0], wide_length);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], length, nullptr, nullptr);
    return text.c_str();
}

const struct {
    const char* name;
    void (*run)(Scene&);
} Scenarios[] = {
    {"startup_defaults", startup_defaults},
    {"startup_loaded_config", startup_loaded_config},
    {"startup_unreadable_config", startup_unreadable_config},
    {"registry_key", registry_key},
    {"refusal_missing_coder", refusal_missing_coder},
    {"refusal_archive_folder", refusal_archive_folder},
    {"switches_and_direction_lists", switches_and_direction_lists},
    {"source_folder_proposal", source_folder_proposal},
    {"target_folder_browse", target_folder_browse},
    {"font_dialog", font_dialog},
    {"image_dialog", image_dialog},
    {"about_box", about_box},
    {"desktop_shortcut", desktop_shortcut},
    {"closing", closing},
    {"run_overwrite_yes", run_overwrite_yes},
    {"run_overwrite_no", run_overwrite_no},
    {"failed_check_focus", failed_check_focus},
    {"log_window_lines", log_window_lines},
    {"close_during_run", close_during_run},
    {"banner_rotation", banner_rotation},
    {"update_question", update_question},
    {"banner_without_site", banner_without_site},
    {"startup_beside_silent_site", startup_beside_silent_site},
    {"menu_pages", menu_pages},
    {"preview_still_sample", preview_still_sample},
    {"preview_subfolder_sample", preview_subfolder_sample},
    {"preview_png_on_white", preview_png_on_white},
    {"preview_refusals", preview_refusals},
    {"preview_twice", preview_twice},
    {"preview_window_geometry", preview_window_geometry},
    {"help_popups", help_popups},
    {"help_at_screen_edges", help_at_screen_edges},
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const auto& s : Scenarios)
            std::printf("%s\n", s.name);
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: e2e_driver SCENARIO WORK_FOLDER SCREENSHOT.png\n");
        return 2;
    }
    Scene scene{argv[2], std::string(argv[2]) + "\\Ombrel", argv[3]};
    save_screen_on_failure(scene.screenshot);
    try {
        record_opened_pages(scene);
    } catch (const std::exception& failure) {
        std::printf("%s\n", utf8(failure.what()).c_str());
        return 1;
    }
    for (const auto& s : Scenarios) {
        if (std::strcmp(s.name, argv[1]) != 0)
            continue;
        try {
            s.run(scene);
            std::printf("scenario %s passed\n", s.name);
            return 0;
        } catch (const std::exception& failure) {
            std::printf("scenario %s FAILED: %s\n", s.name, utf8(failure.what()).c_str());
            return 1;
        }
    }
    std::fprintf(stderr, "no scenario named %s\n", argv[1]);
    return 2;
}
