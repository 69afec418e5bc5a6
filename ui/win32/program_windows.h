// The program's open windows as the Win32 toolkit keeps them: one record per window,
// reached from every window of ours through the pointer stored at creation.
#pragma once

#include <windows.h>

#include <string_view>
#include <utility>
#include <vector>

#include "ui/definitions.h"

struct ProgramWindow;

// What one of our windows is: the frame, or one of its controls.
struct WindowPart {
    ProgramWindow* window = nullptr;
    const ControlDefinition* control = nullptr;  // nullptr for the frame
};

struct ControlWindow {
    WindowPart part;
    HWND hwnd = nullptr;
    HFONT own_font = nullptr;   // from the control's logical font, if it names one
    HBITMAP picture = nullptr;  // picture boxes: the box-sized bitmap rendered at build
};

struct ProgramWindow {
    const WindowDefinition* definition = nullptr;
    WindowPart part;
    HWND hwnd = nullptr;
    std::vector<ControlWindow> controls;  // sized once: parts are pointed to by their windows
    HICON big_icon = nullptr;
    HICON small_icon = nullptr;
    HWND last_focus = nullptr;
    // Windows this modal window disabled, with their earlier enabled state.
    std::vector<std::pair<HWND, bool>> disabled_windows;
};

// The window built from the definition, if open.
ProgramWindow* find_program_window(const WindowDefinition& definition);
ControlWindow* find_control_window(const WindowDefinition& definition, std::string_view name);
ProgramWindow* program_window_of(HWND frame);
bool any_program_window();
std::vector<ProgramWindow*> all_program_windows();

ProgramWindow& add_program_window(const WindowDefinition& definition);
void remove_program_window(ProgramWindow& window);

// The first control id; below it lie the dialog-manager ids IDOK and IDCANCEL.
constexpr int kFirstControlId = 100;
// Posted by close_window: the frame destroys itself when a message loop handles it.
constexpr UINT kDestroyRequest = WM_APP + 1;
constexpr UINT_PTR kTimerId = 1000;
