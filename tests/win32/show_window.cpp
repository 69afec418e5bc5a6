// Shows one of the six windows for a screenshot: "show_window N [tall]" opens window N
// (0 = main window) from its definition, prints "ready left top right bottom" (desktop
// coordinates) once it has painted, and closes it after a few seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/toolkit.h"
#include "ui/win32/win32_probe.h"

namespace {

void pump_for(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int index = argc > 1 ? std::atoi(argv[1]) : 0;
    if (index < 0 || index >= 6) return 2;
    const WindowDefinition& window = *kAllWindows[index];
    open_window(window);
    if (argc > 2 && std::strcmp(argv[2], "tall") == 0 && &window == &kMainWindow) {
        set_outer_height(kMainWindow, 300);
        append_list_item(kMainWindow, "列表框1", "2020年3月17日8时5分7秒 自动签到开始运行", 1);
        append_list_item(kMainWindow, "列表框1", "2020年3月17日8时5分10秒 自动签到", 2);
        set_caption(kMainWindow, "标签4", "1");
    }
    pump_for(800);
    RECT rect{};
    GetWindowRect(window_handle(window), &rect);
    std::printf("ready %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    std::fflush(stdout);
    pump_for(2500);
    return 0;
}
