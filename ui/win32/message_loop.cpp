// Opening windows, the main and nested message loops, and the keys every window shares.
#include <windows.h>

#include "ui/toolkit.h"
#include "ui/win32/window_build.h"
#include "ui/win32/window_procedure.h"

namespace {

// Esc closes the window as its close button does, Enter and F1 do nothing, Tab and the
// other dialog keys move the focus. True when the message has been dealt with.
bool handle_window_keys(MSG& message) {
    if (!message.hwnd) return false;
    HWND frame = GetAncestor(message.hwnd, GA_ROOT);
    if (!program_window_of(frame)) return false;
    if (message.message == WM_KEYDOWN) {
        switch (message.wParam) {
        case VK_ESCAPE:
            if (IsWindowEnabled(frame)) SendMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        case VK_RETURN:
        case VK_F1:
            return true;
        }
    }
    return IsDialogMessageW(frame, &message);
}

template <class Done>
void pump_messages(Done done) {
    MSG message;
    while (!done() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handle_window_keys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The program window that is active, to own a modal window so that it gets no
// task-bar button of its own.
HWND modal_owner() {
    HWND active = GetActiveWindow();
    if (program_window_of(active)) return active;
    HWND owner = nullptr;
    for (ProgramWindow* window : all_program_windows()) {
        if (IsWindowEnabled(window->hwnd)) owner = window->hwnd;
    }
    return owner;
}

}  // namespace

void open_window(const WindowDefinition& definition) {
    if (find_program_window(definition)) return;
    if (ProgramWindow* window = build_window(definition, nullptr)) show_built_window(*window);
}

void show_modal(const WindowDefinition& definition) {
    if (ProgramWindow* open = find_program_window(definition)) {
        if (IsIconic(open->hwnd)) ShowWindow(open->hwnd, SW_RESTORE);
        SetForegroundWindow(open->hwnd);
        return;
    }
    ProgramWindow* window = build_window(definition, modal_owner());
    if (!window) return;
    const HWND frame = window->hwnd;
    for (ProgramWindow* other : all_program_windows()) {
        if (other == window || !other->hwnd) continue;
        window->disabled_windows.emplace_back(other->hwnd, IsWindowEnabled(other->hwnd) != FALSE);
        EnableWindow(other->hwnd, FALSE);
    }
    show_built_window(*window);
    pump_messages([frame] { return program_window_of(frame) == nullptr; });
}

void close_window(const WindowDefinition& definition) {
    if (ProgramWindow* window = find_program_window(definition)) PostMessageW(window->hwnd, kDestroyRequest, 0, 0);
}

void run_message_loop() {
    pump_messages([] { return !any_program_window(); });
}

bool is_open(const WindowDefinition& window) { return find_program_window(window) != nullptr; }
