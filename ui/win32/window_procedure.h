// One window procedure for every window of our own classes (frames, picture boxes,
// timers): it finds the window's part and turns messages into handler calls.
#pragma once

#include <windows.h>

#include "ui/win32/program_windows.h"

inline constexpr const wchar_t* kFrameClass = L"VastrelWindow";
inline constexpr const wchar_t* kPictureBoxClass = L"VastrelPictureBox";
inline constexpr const wchar_t* kTimerClass = L"VastrelTimer";

void register_window_classes();
// Closes the frame as its close button does: the windows a modal frame disabled are
// enabled again first, so that the system hands activation back to them.
void close_program_window(ProgramWindow& window);
