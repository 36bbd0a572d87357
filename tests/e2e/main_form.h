// The main window of a running program as the scenarios see it: its 44 controls by name.
#pragma once
#include <string>
#include <vector>

#include "desktop.h"

// A control as the main window must create it.
struct ExpectedControl {
    const char* name;
    const char* class_name;
    const char* text;
    int id;
    DWORD style; // beyond WS_CHILD | WS_VISIBLE
    bool client_edge;
    RECT rect; // x, y, right, bottom in client coordinates
};

extern const ExpectedControl ExpectedControls[44];

// A started program with its main window shown and idle.
class App {
  public:
    // during_startup runs once the process exists, before the main window is awaited.
    App(const std::string& program_folder, const std::string& current_folder,
        const std::function<void(DWORD process_id)>& during_startup = nullptr);

    HWND operator[](const std::string& name) const; // a control by its name
    DWORD id() const { return process.id(); }

    Process process;
    HWND main = nullptr;
    std::vector<HWND> controls; // in creation order
};

// Top-level windows of the program's one class, by window text.
HWND program_window(DWORD process_id, const std::string& text);
