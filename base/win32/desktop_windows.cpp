// Enumeration and geometry of top-level windows.
#include <windows.h>
#include <dwmapi.h>

#include <string>

#include "base/desktop.h"

namespace {

// Window handles are 32-bit values, sign-extended on 64-bit Windows: the decimal text of
// the low 32 bits converts back exactly.
std::int32_t handle_number(HWND window) {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
}

HWND handle_window(std::int32_t number) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(number));
}

// Windows the compositor keeps out of sight although their visible style is set (another
// virtual desktop, a suspended app). Where the query is unsupported nothing is cloaked.
bool is_cloaked(HWND window) {
    DWORD cloaked = 0;
    return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

BOOL CALLBACK collect_visible(HWND window, LPARAM list) {
    if ((GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0 && !is_cloaked(window))
        reinterpret_cast<TextList*>(list)->push_back(std::to_string(handle_number(window)));
    return TRUE;
}

}  // namespace

TextList list_visible_windows() {
    TextList windows;
    EnumWindows(collect_visible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool window_rect(std::int32_t handle, RectangleRecord& record) {
    RECT rect{};
    if (!GetWindowRect(handle_window(handle), &rect)) return false;
    record = {static_cast<std::int32_t>(rect.left), static_cast<std::int32_t>(rect.top),
              static_cast<std::int32_t>(rect.right), static_cast<std::int32_t>(rect.bottom)};
    return true;
}
