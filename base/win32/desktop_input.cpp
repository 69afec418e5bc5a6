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

// One input batch (move, press, release), so that the user's own mouse movement cannot come
// between the move and the click. Each event carries the point itself: a button event
// without one lands wherever the system believes the cursor is when it handles the event,
// which under Wine can still be an earlier place.
void click_at(std::int32_t x, std::int32_t y) {
    const LONG dx = absolute_coordinate(x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    const LONG dy = absolute_coordinate(y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    constexpr DWORD kAtPoint = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    std::array<INPUT, 3> inputs{};
    const DWORD buttons[] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (std::size_t index = 0; index < inputs.size(); ++index) {
        inputs[index].type = INPUT_MOUSE;
        inputs[index].mi.dx = dx;
        inputs[index].mi.dy = dy;
        inputs[index].mi.dwFlags = kAtPoint | buttons[index];
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
