#include "net/update_check.h"

#include "net/http_connection.h"
#include "net/http_message.h"
#include "net/online_host.h"
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

DWORD WINAPI update_check_thread(void* host) {
    try {
        if (check_for_update() == 1 && static_cast<OnlineHost*>(host)->ask_to_visit_update())
            open_site_page("/");
    } catch (...) {
        // Nothing unwinds into the system's thread start; the check is simply over.
    }
    return 0;
}
