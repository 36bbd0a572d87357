// What the network tests need besides the test site: a browser that only records, the message
// boxes of the threads under test, pictures, and bounded waits.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "support/temp_folder.h"

// Registers record_browser.exe (built beside the tests) in the test prefix as the program for
// .html files and for http and https URLs, so that no real browser ever opens, and reads back
// what it was asked to open.
class RecordingBrowser {
  public:
    RecordingBrowser();
    ~RecordingBrowser();
    RecordingBrowser(const RecordingBrowser&) = delete;
    RecordingBrowser& operator=(const RecordingBrowser&) = delete;

    // The pages opened so far: the browser's arguments, one entry per start.
    std::vector<std::string> pages() const;
    // Waits up to timeout_ms until count pages have been opened, then gives them.
    std::vector<std::string> wait_for_pages(std::size_t count, unsigned timeout_ms = 10000) const;
    // Leaves .html files without a program, so that pages go straight to the shell.
    void unregister_html_files();

  private:
    TempFolder folder_;
    std::string log_;
};

struct SeenBox {
    std::string caption;
    std::string text;
};

// Every message box of this process that is open now or opens within timeout_ms: the first one
// found is read and closed with button (IDYES, IDNO, IDOK...).
std::optional<SeenBox> answer_message_box(int button, unsigned timeout_ms);

// Runs the thread to its end, answering every message box that it (or any thread of this
// process) shows with button. False when the thread has not ended within timeout_ms.
bool finish_thread(HANDLE thread, int button, unsigned timeout_ms, std::vector<SeenBox>& boxes);

// Handles the messages of this thread until done() holds or timeout_ms have passed; done()'s
// final answer.
bool pump_messages_until(const std::function<bool()>& done, unsigned timeout_ms);

// A JPEG made by the image library from a pseudo-image ("xc:red", "gradient:red-blue").
std::string jpeg_picture(const char* recipe, int width = 681, int height = 80);

// Milliseconds since an arbitrary start, for measuring.
unsigned long now_ms();
