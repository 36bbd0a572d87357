// ombrel-batch: the batch of the Ombrel window without a window, for automation, benchmarks
// and tests. Messages and log lines go to the console in UTF-8.
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "base/encoding.h"
#include "base/program.h"
#include "core/batch_run.h"
#include "imaging/text_watermark.h"
#include "platform/library_path.h"
#include "settings/config_file.h"
#include "ui/console/batch_options.h"

namespace {

void print(const std::string& gbk_text) {
    std::fputs(gbk_to_utf8(gbk_text).c_str(), stdout);
}

// Answers every question the same way and shows everything as lines of text.
class ConsoleHost : public BatchHost {
  public:
    explicit ConsoleHost(bool yes) : yes_(yes) {}

    void show_message(const char* text, const char* caption, MessageIcon) override {
        print(std::string("[") + caption + "] " + text + "\n");
    }
    bool ask_yes_no(const char* text, const char* caption) override {
        print(std::string("[") + caption + "] " + text + (yes_ ? " Yes\n" : " No\n"));
        return yes_;
    }
    void set_progress_range(int) override {}
    void set_progress_position(int) override {}
    void append_log_line(const char* line) override { print(std::string(line) + "\n"); }
    void open_folder(const char*) override {}            // a console run opens no window
    void hand_back_settings(const Settings&) override {} // the run's record is its own
    void restore_controls() override {}
    void request_focus(FormControl) override {}

  private:
    bool yes_;
};

int exit_status(BatchEnd end) {
    switch (end) {
    case BatchEnd::Completed:
        return 0;
    case BatchEnd::Refused:
        return 1;
    case BatchEnd::Cancelled:
        return 2;
    case BatchEnd::FolderError:
        break;
    }
    return 3;
}

std::string program_path_argument(const std::string& argument) {
    return program_path(argument.c_str());
}

} // namespace

int main(int argc, char** argv) {
    find_program_folder();
    SetCurrentDirectoryA(ProgramFolder);
    Settings settings{};
    if (!load_config(settings)) {
        print("读取配置信息出错\n");
        return 3;
    }
    FormSnapshot form = form_after_startup(settings);
    const BatchCommand command =
        apply_batch_arguments(std::vector<std::string>(argv + 1, argv + argc), form, settings.font,
                              program_path_argument);
    if (command.help) {
        std::fputs(batch_usage, stdout);
        return 0;
    }
    if (!command.error.empty()) {
        std::fprintf(stderr, "ombrel-batch: %s\n\n%s", gbk_to_utf8(command.error).c_str(),
                     batch_usage);
        return 64;
    }
    build_font_paths();
    ConsoleHost host(command.yes);
    const BatchOutcome outcome = run_batch(form, settings, host);
    std::fflush(stdout);
    return exit_status(outcome.end);
}
