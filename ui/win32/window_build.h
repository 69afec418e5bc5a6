// Building a window from its definition, in the five steps: frame, controls, showing the
// visible controls, the created event, showing the window.
#pragma once

#include "ui/win32/program_windows.h"

// Steps 1 to 4; the window stays hidden. owner: the window it is modal over, or nullptr.
ProgramWindow* build_window(const WindowDefinition& definition, HWND owner);
// Step 5.
void show_built_window(ProgramWindow& window);
// Frees what the window's record holds besides its windows (fonts, bitmaps, icons).
void release_window_resources(ProgramWindow& window);
