// A stand-in for other programs' windows in tests under Wine: opens top-level windows of
// given outer sizes and reports the left-button presses and releases they receive.
//
//   prompt_window [--out FILE] [--topmost] [--hide-on-click] SHAPE...
//     SHAPE  WIDTHxHEIGHT[@LEFT,TOP][/hidden]   outer size, optional screen place, start hidden
//     --out            report to FILE instead of standard output
//     --topmost        keep the windows above all others
//     --hide-on-click  hide a window when the left button is released on it (a prompt that
//                      goes away once answered)
//
// Report lines (flushed at once); N counts the SHAPEs from 1:
//   window N HANDLE LEFT TOP RIGHT BOTTOM   once per window, HANDLE as signed decimal
//   ready                                   after all windows exist
//   down N X Y / up N X Y                   left button pressed / released at client point X,Y
//   hidden N / shown N / closed N           after a command, or when the user closes it
// Commands on standard input, one per line: "hide N", "show N", "quit". The program ends on
// "quit" or when its last window is closed.
#include <windows.h>
#include <windowsx.h>

#include <cstdarg>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kCommandMessage = WM_APP + 1;
constexpr WPARAM kHide = 1;
constexpr WPARAM kShow = 2;
constexpr WPARAM kQuit = 3;

struct WindowShape {
    int width = 0;
    int height = 0;
    int left = CW_USEDEFAULT;
    int top = CW_USEDEFAULT;
    bool hidden = false;
};

std::FILE* report_file = stdout;
bool hide_on_click = false;
std::vector<HWND> windows;
int open_count = 0;

void report(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(report_file, format, arguments);
    va_end(arguments);
    std::fputc('\n', report_file);
    std::fflush(report_file);
}

int number_of(HWND window) {
    for (std::size_t index = 0; index < windows.size(); ++index)
        if (windows[index] == window) return static_cast<int>(index + 1);
    return 0;
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            report("down %d %d %d", number_of(window), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            return 0;
        case WM_LBUTTONUP:
            report("up %d %d %d", number_of(window), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            if (hide_on_click) {
                ShowWindow(window, SW_HIDE);
                report("hidden %d", number_of(window));
            }
            return 0;
        case WM_DESTROY:
            report("closed %d", number_of(window));
            if (--open_count == 0) PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

bool parse_shape(const std::string& text, WindowShape& shape) {
    std::string rest = text;
    const std::size_t flag = rest.find("/hidden");
    if (flag != std::string::npos) {
        shape.hidden = true;
        rest.erase(flag);
    }
    char tail = 0;
    if (std::sscanf(rest.c_str(), "%dx%d@%d,%d%c", &shape.width, &shape.height, &shape.left, &shape.top, &tail) == 4)
        return true;
    shape.left = shape.top = CW_USEDEFAULT;
    return std::sscanf(rest.c_str(), "%dx%d%c", &shape.width, &shape.height, &tail) == 2;
}

void read_commands(DWORD main_thread) {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string verb;
        int number = 0;
        words >> verb >> number;
        const WPARAM command = verb == "hide" ? kHide : verb == "show" ? kShow : verb == "quit" ? kQuit : 0;
        if (command != 0) PostThreadMessageW(main_thread, kCommandMessage, command, number);
    }
}

void run_command(WPARAM command, int number) {
    if (command == kQuit) {
        PostQuitMessage(0);
        return;
    }
    if (number < 1 || number > static_cast<int>(windows.size())) return;
    ShowWindow(windows[number - 1], command == kHide ? SW_HIDE : SW_SHOWNOACTIVATE);
    report(command == kHide ? "hidden %d" : "shown %d", number);
}

int usage() {
    std::fprintf(stderr, "usage: prompt_window [--out FILE] [--topmost] [--hide-on-click] "
                         "WIDTHxHEIGHT[@LEFT,TOP][/hidden]...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<WindowShape> shapes;
    bool topmost = false;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        WindowShape shape;
        if (argument == "--topmost") {
            topmost = true;
        } else if (argument == "--hide-on-click") {
            hide_on_click = true;
        } else if (argument == "--out" && index + 1 < argc) {
            report_file = std::fopen(argv[++index], "w");
            if (report_file == nullptr) return usage();
        } else if (parse_shape(argument, shape)) {
            shapes.push_back(shape);
        } else {
            return usage();
        }
    }
    if (shapes.empty()) return usage();

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    window_class.lpszClassName = L"VastrelTestPrompt";
    RegisterClassW(&window_class);

    for (const WindowShape& shape : shapes) {
        const std::wstring title = L"prompt " + std::to_wstring(windows.size() + 1);
        HWND window = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, window_class.lpszClassName, title.c_str(),
                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, shape.left, shape.top, shape.width,
                                      shape.height, nullptr, nullptr, instance, nullptr);
        if (window == nullptr) return 1;
        windows.push_back(window);
        ++open_count;
        if (!shape.hidden) ShowWindow(window, SW_SHOWNOACTIVATE);
        RECT rect{};
        GetWindowRect(window, &rect);
        report("window %zu %d %ld %ld %ld %ld", windows.size(),
               static_cast<int>(reinterpret_cast<std::intptr_t>(window)), rect.left, rect.top, rect.right,
               rect.bottom);
    }
    report("ready");

    std::thread(read_commands, GetCurrentThreadId()).detach();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kCommandMessage) {
            run_command(message.wParam, static_cast<int>(message.lParam));
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
