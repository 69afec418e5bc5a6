// Times scan_tick over 100 real windows of the prompt_window helper (none a prompt) against
// a bare loop of the same enumeration and rectangle calls, and prints both and their ratio.
// Run: scripts/wine-run.sh <build>/tests/win32/bench_scan_wine.exe
#include <windows.h>
#include <dwmapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/scanner.h"
#include "tests/win32/prompt_driver.h"

namespace {

constexpr int kWindows = 100;
constexpr int kRounds = 300;

BOOL CALLBACK collect_visible(HWND window, LPARAM list) {
    DWORD cloaked = 0;
    if ((GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0 &&
        !(SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The system calls of a tick without any of the scanner's own work.
void bare_loop() {
    std::vector<HWND> windows;
    EnumWindows(collect_visible, reinterpret_cast<LPARAM>(&windows));
    RECT rect{};
    for (HWND window : windows) GetWindowRect(window, &rect);
}

double microseconds_since(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

template <class Work>
double timed(Work work) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    work();
    return microseconds_since(start);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    std::vector<std::string> arguments;
    for (int index = 0; index < kWindows; ++index)
        arguments.push_back("150x100@" + std::to_string(10 + index * 7) + "," + std::to_string(10 + index * 5));
    PromptProcess prompts;
    if (!start_prompts(prompts, arguments)) {
        std::fprintf(stderr, "prompt_window did not start\n");
        return 1;
    }
    std::vector<double> ticks;
    std::vector<double> bare;
    for (int round = 0; round < kRounds; ++round) {
        ticks.push_back(timed(scan_tick));
        bare.push_back(timed(bare_loop));
    }
    const double tick_median = median(ticks);
    const double bare_median = median(bare);
    std::printf("visible windows listed per tick: %zu (%d of them the helper's)\n", window_list.size(), kWindows);
    std::printf("scan_tick   median %8.1f us   min %8.1f us\n", tick_median, *std::min_element(ticks.begin(), ticks.end()));
    std::printf("bare loop   median %8.1f us   min %8.1f us\n", bare_median, *std::min_element(bare.begin(), bare.end()));
    std::printf("ratio of medians: %.3f\n", tick_median / bare_median);
    return 0;
}
