#include "tests/win32/prompt_driver.h"

#include <chrono>
#include <cstdio>

namespace {

void read_reports(HANDLE pipe, PromptReports& received) {
    std::string pending;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        pending.append(buffer, got);
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            std::string line = pending.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::lock_guard<std::mutex> guard(received.lock);
            received.lines.push_back(std::move(line));
            received.arrived.notify_all();
        }
    }
}

std::wstring widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

PromptProcess::~PromptProcess() { stop_prompts(*this); }

std::wstring prompt_window_path() {
    wchar_t own[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring path(own, length);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"prompt_window.exe";
}

bool start_prompts(PromptProcess& prompts, const std::vector<std::string>& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE child_input = nullptr;
    HANDLE child_output = nullptr;
    if (!CreatePipe(&child_input, &prompts.commands, &inherit, 0)) return false;
    if (!CreatePipe(&prompts.reports, &child_output, &inherit, 0)) return false;
    SetHandleInformation(prompts.commands, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(prompts.reports, HANDLE_FLAG_INHERIT, 0);

    std::wstring command_line = L"\"" + prompt_window_path() + L"\"";
    for (const std::string& argument : arguments) command_line += L" " + widened(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = child_input;
    startup.hStdOutput = child_output;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    const bool created = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &started);
    CloseHandle(child_input);
    CloseHandle(child_output);
    if (!created) return false;
    CloseHandle(started.hThread);
    prompts.process = started.hProcess;
    prompts.reader = std::thread(read_reports, prompts.reports, std::ref(prompts.received));

    for (;;) {
        const std::optional<std::string> line = next_report(prompts, 30000);
        if (!line) return false;
        if (*line == "ready") return true;
        PromptWindow window;
        int number = 0;
        if (std::sscanf(line->c_str(), "window %d %d %d %d %d %d", &number, &window.handle, &window.rect.left,
                        &window.rect.top, &window.rect.right, &window.rect.bottom) == 6)
            prompts.windows.push_back(window);
    }
}

std::optional<std::string> next_report(PromptProcess& prompts, unsigned timeout_ms) {
    std::unique_lock<std::mutex> guard(prompts.received.lock);
    if (!prompts.received.arrived.wait_for(guard, std::chrono::milliseconds(timeout_ms),
                                           [&] { return !prompts.received.lines.empty(); }))
        return std::nullopt;
    std::string line = std::move(prompts.received.lines.front());
    prompts.received.lines.pop_front();
    return line;
}

void send_command(PromptProcess& prompts, std::string_view command) {
    const std::string line = std::string(command) + "\n";
    DWORD written = 0;
    WriteFile(prompts.commands, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void stop_prompts(PromptProcess& prompts) {
    if (prompts.process != nullptr) {
        send_command(prompts, "quit");
        if (WaitForSingleObject(prompts.process, 10000) != WAIT_OBJECT_0) TerminateProcess(prompts.process, 1);
        CloseHandle(prompts.process);
        prompts.process = nullptr;
    }
    if (prompts.reader.joinable()) prompts.reader.join();
    for (HANDLE* pipe : {&prompts.commands, &prompts.reports}) {
        if (*pipe != nullptr) CloseHandle(*pipe);
        *pipe = nullptr;
    }
}
