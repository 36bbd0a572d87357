#include "ui/batch_worker.h"

#include <memory>

#include <commctrl.h>

#include "base/program.h"
#include "core/batch_run.h"
#include "core/captions.h"
#include "platform/thread.h"
#include "ui/main_controls.h"
#include "ui/window_helpers.h"
#include "ui/window_host.h"

namespace {

// What the worker is given: the window, the record the run checks and fills in, and the
// shop-ready steps as they stood at the start (the dialog may change them during the run).
struct WorkerJob {
    App& app;
    Settings settings;
    ShopOptions shop;
};

DWORD WINAPI processing_worker(void* argument) {
    const std::unique_ptr<WorkerJob> job(static_cast<WorkerJob*>(argument));
    WindowBatchHost host(job->app);
    try {
        FormSnapshot form = read_form(job->app);
        form.shop = job->shop;
        run_batch(form, job->settings, ProgramFolder, processor_count(), host);
    } catch (...) {
        // Out of memory inside a run: the window must not stay locked.
        host.hand_back_settings(job->settings);
        host.restore_controls();
        SendMessageW(job->app.ProgressBar, PBM_SETPOS, 0, 0);
    }
    job->app.ProcessingFlag = 0;
    return 0;
}

} // namespace

void start_processing(App& app) {
    app.ProcessingFlag = 1;
    auto job = std::make_unique<WorkerJob>(WorkerJob{app, app.TheSettings, app.Shop});
    if (!start_thread(processing_worker, job.get())) {
        app.ProcessingFlag = 0;
        message_box(app.MainWindow, "无法创建新线程来处理图片", NoticeCaption, MB_ICONERROR);
        return;
    }
    job.release(); // the worker owns it now
    hand_controls_to_run(app);
}

bool batch_is_running(const App& app) {
    return app.ProcessingFlag == 1;
}
