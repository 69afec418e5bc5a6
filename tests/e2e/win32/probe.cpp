// The end-to-end probe: reads the windows on the desktop (outer rectangles, captions,
// visibility, enabled state, list-box lines and item values), gives real mouse and key
// input, reads a process's memory and CPU time, and times a program's start-up.
// Commands come from the command line or, with none, one per line from stdin; each
// answer is one line of JSON (texts in UTF-8).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string utf8_of(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring wide_of(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                         nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string json_string(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string window_text(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got));
    return utf8_of(text);
}

std::string class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return utf8_of(name);
}

std::string handle_text(HWND window) {
    return std::to_string(static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
}

HWND handle_of(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(text)));
}

std::string list_items_json(HWND list) {
    std::string out = "[";
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
        const LRESULT value = SendMessageW(list, LB_GETITEMDATA, i, 0);
        if (i > 0) out += ",";
        out += '[';
        out += json_string(utf8_of(text));
        out += ',';
        out += std::to_string(static_cast<long long>(value));
        out += ']';
    }
    return out + "]";
}

struct ChildScan {
    HWND parent;
    std::string json;
};

BOOL CALLBACK add_child(HWND child, LPARAM context) {
    auto& scan = *reinterpret_cast<ChildScan*>(context);
    if (GetParent(child) != scan.parent) return TRUE;
    RECT rect{};
    GetWindowRect(child, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(scan.parent, &corner);
    const std::string kind = class_of(child);
    if (!scan.json.empty()) scan.json += ",";
    scan.json += "{\"hwnd\":" + handle_text(child) + ",\"class\":" + json_string(kind) +
                 ",\"text\":" + json_string(window_text(child)) +
                 ",\"left\":" + std::to_string(corner.x) + ",\"top\":" + std::to_string(corner.y) +
                 ",\"width\":" + std::to_string(rect.right - rect.left) +
                 ",\"height\":" + std::to_string(rect.bottom - rect.top) +
                 ",\"visible\":" + (IsWindowVisible(child) ? "true" : "false") +
                 ",\"enabled\":" + (IsWindowEnabled(child) ? "true" : "false");
    if (_wcsicmp(wide_of(kind).c_str(), L"ListBox") == 0) {
        scan.json += ",\"items\":" + list_items_json(child);
    }
    scan.json += "}";
    return TRUE;
}

std::string window_json(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    ChildScan scan{window, {}};
    EnumChildWindows(window, add_child, reinterpret_cast<LPARAM>(&scan));
    return "{\"hwnd\":" + handle_text(window) + ",\"pid\":" + std::to_string(pid) +
           ",\"client_left\":" + std::to_string(client.x) + ",\"client_top\":" + std::to_string(client.y) +
           ",\"title\":" + json_string(window_text(window)) +
           ",\"class\":" + json_string(class_of(window)) +
           ",\"left\":" + std::to_string(rect.left) + ",\"top\":" + std::to_string(rect.top) +
           ",\"right\":" + std::to_string(rect.right) + ",\"bottom\":" + std::to_string(rect.bottom) +
           ",\"visible\":" + (IsWindowVisible(window) ? "true" : "false") +
           ",\"enabled\":" + (IsWindowEnabled(window) ? "true" : "false") +
           ",\"foreground\":" + (GetForegroundWindow() == window ? "true" : "false") +
           ",\"controls\":[" + scan.json + "]}";
}

BOOL CALLBACK add_top_level(HWND window, LPARAM context) {
    if (!IsWindowVisible(window)) return TRUE;
    auto& json = *reinterpret_cast<std::string*>(context);
    if (!json.empty()) json += ",";
    json += window_json(window);
    return TRUE;
}

std::string dump() {
    std::string json;
    EnumWindows(add_top_level, reinterpret_cast<LPARAM>(&json));
    POINT cursor{};
    GetCursorPos(&cursor);
    return "{\"cursor\":[" + std::to_string(cursor.x) + "," + std::to_string(cursor.y) +
           "],\"windows\":[" + json + "]}";
}

// SendInput's absolute coordinates span the virtual screen as 0..65536; rounding up lands
// the system's scaling back to pixels on the intended pixel.
LONG absolute_coordinate(int pixel, int origin, int extent) {
    const long long offset = static_cast<long long>(pixel) - origin;
    return static_cast<LONG>((offset * 65536 + extent - 1) / extent);
}

INPUT move_input(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = absolute_coordinate(x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = absolute_coordinate(y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    return input;
}

bool cursor_at(int x, int y) {
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor.x == x && cursor.y == y;
}

// Moves the cursor and waits until it stays there: under Wine a pointer event of the X
// display that is handled late can put the cursor back where an earlier move left it.
void settle_cursor(int x, int y) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        INPUT move = move_input(x, y);
        SendInput(1, &move, sizeof(INPUT));
        Sleep(20);
        if (!cursor_at(x, y)) continue;
        Sleep(50);
        if (cursor_at(x, y)) return;
    }
}

// Moves the cursor and presses and/or releases the left button there; the button events go
// in one batch with the move.
std::string mouse(const std::string& action, int x, int y) {
    settle_cursor(x, y);
    INPUT inputs[3]{};
    UINT count = 0;
    inputs[count++] = move_input(x, y);
    if (action == "click" || action == "down") {
        inputs[count].type = INPUT_MOUSE;
        inputs[count++].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    }
    if (action == "click" || action == "up") {
        inputs[count].type = INPUT_MOUSE;
        inputs[count++].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    }
    SendInput(count, inputs, sizeof(INPUT));
    POINT cursor{};
    GetCursorPos(&cursor);
    return "{\"cursor\":[" + std::to_string(cursor.x) + "," + std::to_string(cursor.y) + "]}";
}

std::string key(HWND window, WORD virtual_key) {
    SetForegroundWindow(window);
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtual_key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof inputs[0]);
    return "{\"foreground\":" + handle_text(GetForegroundWindow()) + "}";
}

// Clicks the window's close button where the frame's hit test reports it.
std::string click_close_button(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    for (int y = rect.top; y < rect.top + 40 && y < rect.bottom; y += 2) {
        for (int x = rect.right - 1; x > rect.right - 80 && x > rect.left; x -= 2) {
            const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit == HTCLOSE) return mouse("click", x, y);
        }
    }
    return "{\"error\":\"no close button found\"}";
}

std::string process_figures(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) return "{\"error\":\"cannot open the process\"}";
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    FILETIME created{}, ended{}, kernel{}, user{};
    GetProcessTimes(process, &created, &ended, &kernel, &user);
    CloseHandle(process);
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return "{\"pid\":" + std::to_string(pid) +
           ",\"private_bytes\":" + std::to_string(memory.PrivateUsage) +
           ",\"working_set\":" + std::to_string(memory.WorkingSetSize) +
           ",\"cpu_ms\":" + std::to_string((ticks(kernel) + ticks(user)) / 10000) + "}";
}

struct ProcessWindow {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK find_shown_window(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<ProcessWindow*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search.pid || !IsWindowVisible(window)) return TRUE;
    search.found = window;
    return FALSE;
}

// Starts the program and measures from process creation until a window of it is shown;
// then closes that window and reports the exit code.
std::string startup(const std::string& program) {
    std::wstring command = L"\"" + wide_of(program) + L"\"";
    STARTUPINFOW startup_info{};
    startup_info.cb = sizeof startup_info;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency{}, started{}, shown{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup_info, &process)) {
        return "{\"error\":\"cannot start the program\"}";
    }
    ProcessWindow search{process.dwProcessId, nullptr};
    for (int i = 0; i < 200000 && search.found == nullptr; ++i) {
        EnumWindows(find_shown_window, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(0);
    }
    QueryPerformanceCounter(&shown);
    std::string result;
    if (search.found == nullptr) {
        TerminateProcess(process.hProcess, 1);
        result = "{\"error\":\"no window shown\"}";
    } else {
        const double ms = 1000.0 * static_cast<double>(shown.QuadPart - started.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        Sleep(300);
        PostMessageW(search.found, WM_CLOSE, 0, 0);
        DWORD exit_code = 0;
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 1);
        }
        GetExitCodeProcess(process.hProcess, &exit_code);
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, "{\"startup_ms\":%.2f,\"exit_code\":%ld}", ms,
                      static_cast<long>(static_cast<int>(exit_code)));
        result = buffer;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

std::string run(const std::vector<std::string>& words) {
    if (words.empty()) return "{\"error\":\"empty command\"}";
    const std::string& verb = words[0];
    try {
        if (verb == "dump") return dump();
        if ((verb == "click" || verb == "down" || verb == "up") && words.size() == 3) {
            return mouse(verb, std::stoi(words[1]), std::stoi(words[2]));
        }
        if (verb == "key" && words.size() == 3) {
            return key(handle_of(words[1]), static_cast<WORD>(std::stoi(words[2])));
        }
        if (verb == "close-button" && words.size() == 2) return click_close_button(handle_of(words[1]));
        if (verb == "system-close" && words.size() == 2) {
            PostMessageW(handle_of(words[1]), WM_SYSCOMMAND, SC_CLOSE, 0);
            return "{}";
        }
        if (verb == "process" && words.size() == 2) return process_figures(handle_of(words[1]));
        if (verb == "startup" && words.size() >= 2) {
            std::string program = words[1];
            for (std::size_t i = 2; i < words.size(); ++i) program += " " + words[i];
            return startup(program);
        }
    } catch (const std::exception&) {
        return "{\"error\":\"bad argument\"}";
    }
    return "{\"error\":\"unknown command\"}";
}

std::vector<std::string> words_of(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        std::puts(run(std::vector<std::string>(argv + 1, argv + argc)).c_str());
        return 0;
    }
    for (std::string line; std::getline(std::cin, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "quit") break;
        std::puts(run(words_of(line)).c_str());
        std::fflush(stdout);
    }
    return 0;
}
