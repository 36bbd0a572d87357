// The processing log: a tool window that shows itself on its first line and only hides
// when closed, keeping its text for as long as the program runs.
#pragma once
#include <windows.h>

#include "ui/app.h"

// Creates LogWindow (of the main window class, with app as its creation data) and LogEdit.
void create_log_window(App& app, HWND main_window);

// Makes LogEdit fill the client area of LogWindow.
void fit_log_edit(const App& app);

// Appends text and a line break, scrolls to the end and shows the window. Safe from any
// thread: every step is a message that the main thread answers.
void append_log_line(const App& app, const char* text);
