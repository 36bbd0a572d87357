// The end-to-end scenarios, each run on its own copy of the program folder.
#pragma once
#include "scene.h"

void startup_defaults(Scene& scene);
void startup_loaded_config(Scene& scene);
void startup_unreadable_config(Scene& scene);
void registry_key(Scene& scene);
void refusal_missing_coder(Scene& scene);
void refusal_archive_folder(Scene& scene);

void switches_and_direction_lists(Scene& scene);
void source_folder_proposal(Scene& scene);
void target_folder_browse(Scene& scene);
void font_dialog(Scene& scene);
void image_dialog(Scene& scene);
void about_box(Scene& scene);
void desktop_shortcut(Scene& scene);
void closing(Scene& scene);

void run_overwrite_yes(Scene& scene);
void run_overwrite_no(Scene& scene);
void failed_check_focus(Scene& scene);
void log_window_lines(Scene& scene);
void close_during_run(Scene& scene);
void menu_pages(Scene& scene);

void preview_still_sample(Scene& scene);
void preview_subfolder_sample(Scene& scene);
void preview_png_on_white(Scene& scene);
void preview_refusals(Scene& scene);
void preview_twice(Scene& scene);
void preview_window_geometry(Scene& scene);
void help_popups(Scene& scene);
void help_at_screen_edges(Scene& scene);
