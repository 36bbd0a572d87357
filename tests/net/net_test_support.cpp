#include "net/net_test_support.h"

#include <algorithm>
#include <stdexcept>

#include <wand/MagickWand.h>

#include "base/program.h"
#include "platform/file_io.h"

namespace {

void set_class_command(const std::string& key, const std::string& command) {
    if (RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, command.c_str(),
                     static_cast<DWORD>(command.size())) != ERROR_SUCCESS)
        throw std::runtime_error("cannot register the recording browser under " + key);
}

std::string recorder_path() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return folder_of_module_path(self) + "\\record_browser.exe";
}

} // namespace

RecordingBrowser::RecordingBrowser() : log_(folder_ / "pages.log") {
    const std::string command = "\"" + recorder_path() + "\" \"%1\"";
    set_class_command(".html", "Ombrel.TestPage");
    set_class_command("Ombrel.TestPage\\shell\\open\\command", command);
    set_class_command("http\\shell\\open\\command", command);
    set_class_command("https\\shell\\open\\command", command);
    SetEnvironmentVariableA("OMBREL_BROWSER_LOG", log_.c_str());
}

RecordingBrowser::~RecordingBrowser() {
    // Pages still being opened write into a folder that is about to go.
    SetEnvironmentVariableA("OMBREL_BROWSER_LOG", nullptr);
    set_class_command(".html", "Ombrel.TestPage");
}

std::vector<std::string> RecordingBrowser::pages() const {
    std::vector<std::string> pages;
    const auto log = read_file(log_.c_str());
    if (!log)
        return pages;
    std::size_t start = 0;
    for (std::size_t end; (end = log->find('\n', start)) != std::string::npos; start = end + 1)
        pages.push_back(log->substr(start, end - start));
    return pages;
}

std::vector<std::string> RecordingBrowser::wait_for_pages(std::size_t count,
                                                          unsigned timeout_ms) const {
    const unsigned long start = now_ms();
    while (pages().size() < count && now_ms() - start < timeout_ms)
        Sleep(50);
    return pages();
}

void RecordingBrowser::unregister_html_files() {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".html");
}

namespace {

BOOL CALLBACK note_message_box(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (process != GetCurrentProcessId() || lstrcmpA(name, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND find_message_box() {
    HWND box = nullptr;
    EnumWindows(note_message_box, reinterpret_cast<LPARAM>(&box));
    return box;
}

std::string window_text(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

} // namespace

// The box's thread disables and enables its owner through messages to the owner's thread, so
// every wait here keeps handling this thread's messages.
std::optional<SeenBox> answer_message_box(int button, unsigned timeout_ms) {
    HWND box = nullptr;
    if (!pump_messages_until([&] { return (box = find_message_box()) != nullptr; }, timeout_ms))
        return std::nullopt;
    // The message text is the static control with the identifier 0xFFFF.
    SeenBox seen{window_text(box), window_text(GetDlgItem(box, 0xFFFF))};
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    pump_messages_until([&] { return !IsWindow(box); }, 5000);
    return seen;
}

bool finish_thread(HANDLE thread, int button, unsigned timeout_ms, std::vector<SeenBox>& boxes) {
    return pump_messages_until(
        [&] {
            if (auto box = answer_message_box(button, 0))
                boxes.push_back(*box);
            return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        },
        timeout_ms);
}

bool pump_messages_until(const std::function<bool()>& done, unsigned timeout_ms) {
    const unsigned long start = now_ms();
    while (!done()) {
        const unsigned long passed = now_ms() - start;
        if (passed >= timeout_ms)
            return done();
        // Slices, for conditions that other threads change without a message.
        const unsigned long slice = std::min<unsigned long>(timeout_ms - passed, 50);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(slice), QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

std::string jpeg_picture(const char* recipe, int width, int height) {
    static const bool started = (MagickWandGenesis(), true);
    (void)started;
    MagickWand* wand = NewMagickWand();
    MagickSetSize(wand, width, height);
    std::string bytes;
    if (MagickReadImage(wand, recipe) && MagickSetImageFormat(wand, "JPEG")) {
        size_t length = 0;
        unsigned char* blob = MagickGetImageBlob(wand, &length);
        if (blob)
            bytes.assign(reinterpret_cast<const char*>(blob), length);
        MagickRelinquishMemory(blob);
    }
    DestroyMagickWand(wand);
    if (bytes.empty())
        throw std::runtime_error(std::string("cannot make the picture ") + recipe);
    return bytes;
}

unsigned long now_ms() {
    return GetTickCount();
}
