// The command line of ombrel-batch.
#pragma once
#include <string>
#include <vector>

#include "core/form.h"
#include "settings/settings.h"

extern const char batch_usage[];

// What reading the options asks of the system.
class ArgumentEnvironment {
  public:
    virtual ~ArgumentEnvironment() = default;
    // A path argument as the program works with it: absolute, a Windows path.
    virtual std::string program_path(const std::string& argument) const = 0;
    virtual bool file_exists(const std::string& path) const = 0;
    // Whether the font dialog would offer this face.
    virtual bool font_installed(const std::string& face) const = 0;
};

// Where a run's settings start from.
enum class StartingSettings { ConfigDat, Defaults, File };

// One option with its value (empty for a switch), as given.
struct OptionArgument {
    std::string name;
    std::string value;
};

// The command line split up. Paths and texts are UTF-8.
struct BatchCommand {
    bool help = false;
    bool yes = false;  // Yes to the overwrite question
    bool save = false; // the checked settings go back to the file they came from
    int jobs = 0;      // worker threads; 0: one for each processor
    StartingSettings start = StartingSettings::ConfigDat;
    std::string settings_file; // with StartingSettings::File, as the program works with it
    std::vector<OptionArgument> options;
    std::vector<std::string> folders; // SOURCE and TARGET as given
    std::string error;                // not empty when the command line is wrong
};

// Splits args into the switches that shape the run and the options that set its values.
BatchCommand parse_batch_command(const std::vector<std::string>& args,
                                 const ArgumentEnvironment& env);

// Applies the options and the two folders to form (as start-up left it from the starting
// settings) and to font. A value the window would cut or could not show is refused: the text
// says why, and nothing is to run.
std::string apply_batch_options(const BatchCommand& command, FormSnapshot& form, FontSpec& font,
                                const ArgumentEnvironment& env);
