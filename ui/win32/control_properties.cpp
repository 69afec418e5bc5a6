// Reading and changing what the handlers may change: captions, visibility, the outer
// height and the list-box items.
#include <windows.h>

#include "ui/toolkit.h"
#include "ui/win32/program_windows.h"
#include "base/win32/wide_text.h"
#include "ui/win32/win32_probe.h"

Text caption_of(const WindowDefinition& window, std::string_view control) {
    HWND hwnd = control_handle(window, control);
    if (!hwnd) return {};
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, caption.data(), int(caption.size()))));
    return text_of_wide(caption);
}

void set_caption(const WindowDefinition& window, std::string_view control, std::string_view caption) {
    HWND hwnd = control_handle(window, control);
    if (!hwnd) return;
    SetWindowTextW(hwnd, wide_of(caption).c_str());
    InvalidateRect(hwnd, nullptr, FALSE);
}

bool is_visible(const WindowDefinition& window, std::string_view control) {
    HWND hwnd = control_handle(window, control);
    return hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE);
}

void set_visible(const WindowDefinition& window, std::string_view control, bool visible) {
    if (HWND hwnd = control_handle(window, control)) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void set_outer_height(const WindowDefinition& window, std::int32_t height) {
    HWND frame = window_handle(window);
    RECT rect{};
    if (!frame || !GetWindowRect(frame, &rect)) return;
    SetWindowPos(frame, nullptr, 0, 0, rect.right - rect.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t list_item_count(const WindowDefinition& window, std::string_view control) {
    HWND hwnd = control_handle(window, control);
    const LRESULT count = hwnd ? SendMessageW(hwnd, LB_GETCOUNT, 0, 0) : 0;
    return count == LB_ERR ? 0 : static_cast<std::int32_t>(count);
}

void append_list_item(const WindowDefinition& window, std::string_view control, std::string_view line,
                      std::int32_t value) {
    HWND hwnd = control_handle(window, control);
    if (!hwnd) return;
    const LRESULT index = SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide_of(line).c_str()));
    if (index >= 0) SendMessageW(hwnd, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(value));
}

HWND window_handle(const WindowDefinition& window) {
    const ProgramWindow* found = find_program_window(window);
    return found ? found->hwnd : nullptr;
}

HWND control_handle(const WindowDefinition& window, std::string_view control) {
    const ControlWindow* found = find_control_window(window, control);
    return found ? found->hwnd : nullptr;
}

std::size_t picture_bytes_held(const WindowDefinition& window) {
    const ProgramWindow* found = find_program_window(window);
    std::size_t bytes = 0;
    if (!found) return 0;
    for (const ControlWindow& control : found->controls) {
        DIBSECTION section{};
        if (control.picture && GetObjectW(control.picture, sizeof(section), &section)) {
            bytes += std::size_t(section.dsBm.bmWidthBytes) * section.dsBm.bmHeight;
        }
    }
    return bytes;
}
