// ombrel-batch: the batch of the Ombrel window without a window, for automation, benchmarks
// and tests. Its command line is read in UTF-16; messages and log lines go to a console in
// UTF-16 and to a file or a pipe in UTF-8.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "base/program.h"
#include "base/text.h"
#include "base/utf.h"
#include "core/batch_run.h"
#include "platform/file_system.h"
#include "platform/thread.h"
#include "settings/config_file.h"
#include "ui/console/batch_options.h"

namespace {

using Clock = std::chrono::steady_clock;

// A console is written in UTF-16, which it shows whatever its code page (UTF-8 bytes in a
// console of another code page are gibberish); a file or a pipe gets the UTF-8 as it is.
void print(const std::string& text, FILE* stream = stdout) {
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = widen(text);
        DWORD written;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
}

// The arguments after the program's name, as the system got them: the C runtime's argv is in
// the system's code page, which cannot hold every name.
std::vector<std::string> command_arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Where the file names point: relative paths from the directory the command was started in,
// Unix paths under Wine.
class SystemArguments : public ArgumentEnvironment {
  public:
    std::string program_path(const std::string& argument) const override {
        return full_path(argument);
    }
    bool file_exists(const std::string& path) const override { return ::file_exists(path); }
    bool font_installed(const std::string& face) const override;
};

int CALLBACK note_face(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The faces the system enumerates are those the font dialog lists.
bool SystemArguments::font_installed(const std::string& face) const {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const std::wstring name = widen(face);
    if (name.size() >= LF_FACESIZE)
        return false;
    name.copy(wanted.lfFaceName, name.size());
    const HDC screen = GetDC(nullptr);
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, note_face, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// Progress goes to standard error while that is a terminal: redirected, the output holds the
// lines of the run and nothing else.
bool error_is_terminal() {
    return GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_CHAR;
}

// Answers the overwrite question as told, shows everything else as lines of text, and keeps
// the settings only when told to.
class ConsoleHost : public BatchHost {
  public:
    ConsoleHost(bool yes, std::string settings_file, const ShopOptions& shop)
        : yes_(yes), settings_file_(std::move(settings_file)), shop_(shop),
          progress_(error_is_terminal()) {}

    void show_message(const char* text, const char* caption, MessageIcon) override {
        line(std::string("[") + caption + "] " + text);
    }
    bool ask_yes_no(const char* text, const char* caption) override {
        line(std::string("[") + caption + "] " + text + (yes_ ? " Yes" : " No"));
        return yes_;
    }
    void set_progress_range(int) override {}
    void set_progress_position(int) override {}
    void append_log_line(const char* text) override { line(text); }
    void begin_image(const char* name) override;
    // The shop-ready steps go beside the settings file, as options.ini goes beside config.dat.
    void save_settings(const Settings& checked) override {
        if (settings_file_.empty())
            return;
        if (!write_config_file(settings_file_, checked))
            line("保存设置到 " + settings_file_ + " 出错");
        const std::string shop_file = shop_options_path_beside(settings_file_);
        if (!write_shop_options_file(shop_file, shop_))
            line("保存设置到 " + shop_file + " 出错");
    }
    void offer_target_folder(const char*, const char*) override {} // a console opens no window
    void hand_back_settings(const Settings&) override {}           // the run's record is its own
    void restore_controls() override {}
    void request_focus(FormControl) override {}

    // A line of output, after the progress line has made way for it.
    void line(const std::string& text) {
        clear_progress();
        print(text + "\n");
    }

  private:
    void clear_progress() {
        if (shown_ > 0)
            print("\r" + std::string(shown_, ' ') + "\r", stderr);
        shown_ = 0;
    }

    bool yes_;
    std::string settings_file_; // empty: the settings are not kept
    const ShopOptions shop_;
    bool progress_;
    Clock::time_point start_ = Clock::now();
    int begun_ = 0;
    std::size_t shown_ = 0; // columns of the progress line on the terminal
};

// The count, the rate so far and the image's name, within 79 columns: a character beyond ASCII
// is taken to fill two, as a Chinese one does.
void ConsoleHost::begin_image(const char* name) {
    ++begun_;
    if (!progress_)
        return;
    char head[64];
    std::snprintf(head, sizeof head, "第 %d 个图片  %.1f 个/秒  ", begun_,
                  (begun_ - 1) / std::max(seconds_since(start_), 1e-3));
    std::string text = std::string(head) + name;
    text.resize(cp936_prefix_length(text.data(), text.size(), 79));
    const std::size_t width = cp936_length(text);
    if (width < shown_)
        text += std::string(shown_ - width, ' ');
    print("\r" + text, stderr);
    shown_ = std::max(shown_, width);
}

int exit_status(const BatchOutcome& outcome) {
    switch (outcome.end) {
    case BatchEnd::Completed:
        // A folder left out of the walk is images not read.
        return outcome.failed > 0 || outcome.folders_left_out > 0 ? 4 : 0;
    case BatchEnd::Refused:
        return 1;
    case BatchEnd::Cancelled:
        return 2;
    case BatchEnd::FolderError:
        break;
    }
    return 3;
}

int usage_error(const std::string& error) {
    print("ombrel-batch: " + error + " (see --help)\n", stderr);
    return 64;
}

// The settings a run starts from; false when a settings file cannot be read. A missing
// config.dat or options.ini gives the defaults, as the window's first start does, but is not
// written.
bool starting_settings(const BatchCommand& command, Settings& settings, ShopOptions& shop) {
    settings = default_settings();
    shop = ShopOptions();
    switch (command.start) {
    case StartingSettings::ConfigDat:
        read_config_file(program_file_path("config.dat"), settings);
        shop = read_shop_options_file(shop_options_path());
        return true;
    case StartingSettings::Defaults:
        return true;
    case StartingSettings::File:
        break;
    }
    shop = read_shop_options_file(shop_options_path_beside(command.settings_file));
    return read_config_file(command.settings_file, settings);
}

std::string file_to_save(const BatchCommand& command) {
    if (!command.save)
        return {};
    return command.start == StartingSettings::File ? command.settings_file
                                                   : program_file_path("config.dat");
}

std::string summary(const BatchOutcome& outcome, double seconds) {
    char text[160];
    std::snprintf(text, sizeof text, "已处理 %d 个图片，失败 %d 个，跳过 %d 个，用时 %.1f 秒",
                  outcome.written, outcome.failed, outcome.skipped, seconds);
    return text;
}

} // namespace

int main() {
    find_program_folder();
    const SystemArguments system;
    const BatchCommand command = parse_batch_command(command_arguments(), system);
    if (!command.error.empty())
        return usage_error(command.error);
    if (command.help) {
        print(batch_usage);
        return 0;
    }
    Settings settings;
    ShopOptions shop;
    if (!starting_settings(command, settings, shop))
        return usage_error("--settings " + command.settings_file + ": cannot be read");
    FormSnapshot form = form_after_startup(settings);
    form.shop = shop;
    if (const std::string error = apply_batch_options(command, form, settings.font, system);
        !error.empty())
        return usage_error(error);

    // Every path of the command line is absolute by now; a relative watermark path stored in the
    // settings is taken from the program folder, as the window takes it.
    ConsoleHost host(command.yes, file_to_save(command), form.shop);
    const Clock::time_point start = Clock::now();
    const int workers = command.jobs > 0 ? command.jobs : processor_count();
    const BatchOutcome outcome = run_batch(form, settings, ProgramFolder, workers, host);
    if (outcome.end != BatchEnd::Refused)
        host.line(summary(outcome, seconds_since(start)));
    return exit_status(outcome);
}
