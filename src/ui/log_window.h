// The processing log: a tool window that shows itself on its first line and only hides
// when closed, keeping its text for as long as the program runs.
#pragma once
#include <windows.h>

extern HWND LogWindow;
extern HWND LogEdit;

void create_log_window(HINSTANCE instance, HWND main_window);

// Makes LogEdit fill the client area of LogWindow.
void fit_log_edit();

// Appends text and a line break, scrolls to the end and shows the window. Safe from any
// thread: every step is a message that the main thread answers.
void append_log_line(const char* text);
