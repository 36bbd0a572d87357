// A BatchHost that records what a run shows and answers questions from a script.
#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/batch_host.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

class RecordingHost : public BatchHost {
  public:
    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers; // answers to the questions, in order; No when none is left
    std::vector<std::string> log;
    std::vector<int> progress_ranges;
    std::vector<int> progress_positions;
    std::vector<std::string> opened_folders;
    std::optional<FormControl> focus;
    int restores = 0;
    std::vector<std::string> events; // the order of the calls, by name

    void show_message(const char* text, const char* caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
        events.push_back("message");
    }
    bool ask_yes_no(const char* text, const char* caption) override {
        questions.push_back(std::string(caption) + ": " + text);
        events.push_back("question");
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void set_progress_range(int maximum) override {
        progress_ranges.push_back(maximum);
        events.push_back("range");
    }
    void set_progress_position(int position) override {
        progress_positions.push_back(position);
        events.push_back("position");
    }
    void append_log_line(const char* line) override {
        log.push_back(line);
        events.push_back("log");
    }
    void open_folder(const char* folder) override {
        opened_folders.push_back(folder);
        events.push_back("open");
    }
    void hand_back_settings(const Settings&) override { events.push_back("settings"); }
    void restore_controls() override {
        ++restores;
        events.push_back("restore");
    }
    void request_focus(FormControl control) override {
        focus = control;
        events.push_back("focus");
    }
};
