// Driving another process's windows from a test: finding them, reading and setting their
// state, clicking, answering message boxes, and waiting for all of it with time-outs.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

// A scenario step that did not hold; the driver reports its text and fails. The screen is
// saved the moment the failure is found, before anything is closed.
struct ScenarioFailure : std::runtime_error {
    explicit ScenarioFailure(const std::string& what);
};

// Where a failure saves the screen.
void save_screen_on_failure(const std::string& path);

void expect(bool condition, const std::string& what);
void expect_text(const std::string& actual, const std::string& expected, const std::string& what);
void expect_number(long long actual, long long expected, const std::string& what);

// Waits until condition holds, at most timeout_ms; fails naming what was awaited.
void wait_until(const std::function<bool()>& condition, const std::string& what,
                DWORD timeout_ms = 10000);
// Waits until find gives a window.
HWND wait_for_window(const std::function<HWND()>& find, const std::string& what,
                     DWORD timeout_ms = 10000);

// One run of a program, ended when the object goes unless it ended by itself.
class Process {
  public:
    Process(const std::string& program, const std::string& current_folder);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    // The exit code once the process has ended within timeout_ms.
    DWORD wait_exit(DWORD timeout_ms = 15000);
    bool running() const;

  private:
    PROCESS_INFORMATION info_{};
};

// Top-level windows of a process, optionally of one class.
std::vector<HWND> top_windows(DWORD process_id, const char* class_name = nullptr);
// The direct children of a window in stacking order (the order they were created in).
std::vector<HWND> children(HWND parent);
// The first direct or deeper child of the given class, or with the given identifier.
HWND find_child(HWND parent, const char* class_name);
HWND find_child_id(HWND parent, int id);

std::string class_of(HWND window);
std::string text_of(HWND window); // WM_GETTEXT, so edit controls answer with their content
void set_text(HWND window, const std::string& text);
bool is_enabled(HWND window);
bool is_visible(HWND window);
bool is_checked(HWND button);
int selection(HWND combo);
std::vector<std::string> combo_entries(HWND combo);
// The control that has the keyboard focus in the window's thread.
HWND focus_of(HWND window);
// A control's rectangle in its parent's client coordinates.
RECT rect_in_parent(HWND control);

// A click whose handler returns at once (check boxes, for instance).
void click(HWND button);
// A click whose handler opens a modal window: posted, so the driver is not held up.
void post_click(HWND button);
// Chooses a list entry as the user would: the selection, then CBN_SELCHANGE to the parent.
void choose_entry(HWND combo, int index);
void post_menu_command(HWND window, int id);

enum class BoxIcon { None, Error, Information, Warning, Question };
const char* icon_name(BoxIcon icon);

// A message box (#32770) as the user sees it.
struct MessageBoxView {
    HWND window;
    std::string caption;
    std::string text;
    BoxIcon icon;
    std::vector<int> buttons; // IDOK, IDYES, IDNO, ...
};

// The first message box of the process, or the one with the given text when there are two.
MessageBoxView wait_message_box(DWORD process_id, DWORD timeout_ms = 10000,
                                const std::string& text = "");
// Presses one of its buttons and waits until it is gone.
void answer(const MessageBoxView& box, int button);
// Waits for a message box and expects its caption, text, icon and buttons.
MessageBoxView expect_message_box(DWORD process_id, const std::string& caption,
                                  const std::string& text, BoxIcon icon,
                                  const std::vector<int>& buttons);

// A dialog of the process that holds a child of the given class or identifier.
HWND wait_dialog_with_child(DWORD process_id, const char* child_class, int child_id,
                            const std::string& what);
// Presses a dialog button by identifier and waits until the dialog is gone.
void press_dialog_button(HWND dialog, int id);

// Runs a Unix command (a program and its first arguments) with path, a Unix path, as its
// last argument, and waits until the file it writes there is complete.
void produce_file(const std::string& command, const std::string& path);
// The Unix path of a path on drive Z:.
std::string unix_path(const std::string& windows_path);

// The colour of one pixel of the screen as the display shows it, 0x00RRGGBB.
DWORD screen_pixel(POINT at);

// The whole X screen as a PNG file (a Unix path).
void save_screenshot(const std::string& path);
