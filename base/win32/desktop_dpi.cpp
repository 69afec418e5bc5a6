// Per-monitor DPI awareness for the calling thread, looked up at run time: the call exists
// only from Windows 10 version 1607 on.
#include <windows.h>

#include "base/desktop.h"

namespace {

using SetAwareness = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

SetAwareness set_awareness() {
    static const auto function = reinterpret_cast<SetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    return function;
}

}  // namespace

PixelMode enter_physical_pixels() {
    const SetAwareness set = set_awareness();
    if (set == nullptr) return 0;
    DPI_AWARENESS_CONTEXT previous = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    // Versions before 1703 know only the first per-monitor mode.
    if (previous == nullptr) previous = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    return reinterpret_cast<PixelMode>(previous);
}

void leave_physical_pixels(PixelMode previous) {
    const SetAwareness set = set_awareness();
    if (set != nullptr && previous != 0) set(reinterpret_cast<DPI_AWARENESS_CONTEXT>(previous));
}
