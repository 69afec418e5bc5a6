// Synthesized left clicks.
#include <windows.h>

#include <array>

#include "base/desktop.h"

namespace {

// SendInput's absolute coordinates span the virtual desktop as 0..65535. Rounding up makes
// the system's scaling back to pixels land on the intended pixel.
LONG absolute_coordinate(std::int32_t pixel, int origin, int extent) {
    if (extent <= 0) return 0;
    const long long offset = static_cast<long long>(pixel) - origin;
    return static_cast<LONG>((offset * 65536 + extent - 1) / extent);
}

}  // namespace

// One input batch (move, press, release), so that neither the user's own mouse movement nor
// a late cursor update can come between the move and the click.
void click_at(std::int32_t x, std::int32_t y) {
    std::array<INPUT, 3> inputs{};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = absolute_coordinate(x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    inputs[0].mi.dy = absolute_coordinate(y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
