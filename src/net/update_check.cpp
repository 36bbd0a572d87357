#include "net/update_check.h"

#include "net/http_message.h"
#include "net/http_connection.h"
#include "net/site_host.h"
#include "net/web_page.h"

int check_for_update() {
    const char* host = site_host();
    HttpConnection site;
    if (!site.open(host, 5000) || !site.send_get(versioned_path("/checkUpdate.asp"), host))
        return -1;
    const ReceivedAnswer answer = receive_answer(site, 2048);
    site.close();
    // A broken answer counts as a failed exchange even when part of it arrived.
    if (answer.failed)
        return -1;
    return judge_update_answer(answer.bytes);
}

namespace {

// Returns once the main window's thread handles messages, that is once start-up has ended and
// the window is shown. A question asked earlier would stand alone on the screen before the window
// appears, and the window it disables would refuse start-up's activation and focus.
void wait_for_startup_end(HWND main_window) {
    SendMessageA(main_window, WM_NULL, 0, 0);
}

} // namespace

DWORD WINAPI update_check_thread(void* main_window) {
    const HWND owner = static_cast<HWND>(main_window);
    try {
        if (check_for_update() != 1)
            return 0;
        wait_for_startup_end(owner);
        if (MessageBoxA(owner, "检查到新的版本，是否需要进入官网下载新版本？", "提示",
                        MB_ICONQUESTION | MB_YESNO) == IDYES)
            open_site_page("/");
    } catch (...) {
        // Nothing unwinds into the system's thread start; the check is simply over.
    }
    return 0;
}
