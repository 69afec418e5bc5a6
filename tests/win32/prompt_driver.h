// Runs tests/helpers/prompt_window as a child process: starts it with window shapes, reads
// its report lines, sends it commands and ends it when the PromptProcess goes away.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "base/desktop.h"

struct PromptWindow {
    std::int32_t handle = 0;
    RectangleRecord rect;  // as the helper measured it right after creating the window
};

struct PromptReports {
    std::mutex lock;
    std::condition_variable arrived;
    std::deque<std::string> lines;
};

struct PromptProcess {
    HANDLE process = nullptr;
    HANDLE commands = nullptr;  // the helper's standard input
    HANDLE reports = nullptr;   // its standard output
    std::thread reader;
    PromptReports received;
    std::vector<PromptWindow> windows;

    PromptProcess() = default;
    PromptProcess(const PromptProcess&) = delete;
    PromptProcess& operator=(const PromptProcess&) = delete;
    ~PromptProcess();
};

// prompt_window.exe beside the running test program.
std::wstring prompt_window_path();
// Starts the helper with these arguments and waits until all its windows exist.
bool start_prompts(PromptProcess& prompts, const std::vector<std::string>& arguments);
// The next report line, or nothing after the timeout.
std::optional<std::string> next_report(PromptProcess& prompts, unsigned timeout_ms = 10000);
void send_command(PromptProcess& prompts, std::string_view command);
// Asks the helper to quit and waits for it; ends it by force if it does not.
void stop_prompts(PromptProcess& prompts);
