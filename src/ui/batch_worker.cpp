#include "ui/batch_worker.h"

#include <commctrl.h>

#include "core/batch_run.h"
#include "platform/thread.h"
#include "ui/app_state.h"
#include "ui/main_controls.h"
#include "ui/window_helpers.h"
#include "ui/window_host.h"

namespace {

DWORD WINAPI processing_worker(void*) {
    WindowBatchHost host;
    try {
        run_batch(read_form(), TheSettings, host);
    } catch (...) {
        // Out of memory inside a run: the window must not stay locked.
        host.restore_controls();
        SendMessageA(ProgressBar, PBM_SETPOS, 0, 0);
        ProcessingFlag = 0;
    }
    return 0;
}

} // namespace

void start_processing() {
    if (!start_thread(processing_worker, nullptr)) {
        MessageBoxA(MainWindow, "无法创建新线程来处理图片", "提示", MB_ICONERROR);
        return;
    }
    BannerRepaint = 0;
    enable_children_except(MainWindow, BannerStatic, false);
    EnableWindow(ProgressBar, TRUE);
    BannerRepaint = 1;
}

bool batch_is_running() {
    return ProcessingFlag == 1;
}
