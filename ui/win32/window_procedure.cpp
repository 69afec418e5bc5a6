#include "ui/win32/window_procedure.h"

#include "ui/handlers.h"
#include "ui/win32/label_drawing.h"
#include "ui/win32/window_build.h"

namespace {

void restore_disabled_windows(ProgramWindow& window) {
    for (auto [other, was_enabled] : window.disabled_windows) {
        if (IsWindow(other)) EnableWindow(other, was_enabled);
    }
    window.disabled_windows.clear();
}

ControlWindow* control_with_id(ProgramWindow& window, WPARAM id) {
    const auto index = static_cast<std::size_t>(LOWORD(id)) - kFirstControlId;
    return index < window.controls.size() ? &window.controls[index] : nullptr;
}

LRESULT frame_message(ProgramWindow& window, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wparam) == BN_CLICKED && lparam) {
            const ControlWindow* control = control_with_id(window, wparam);
            if (control && control->part.control->kind == ControlKind::button) {
                run_handler(control->part.control->handler);
            }
        }
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        const ControlWindow* control = control_with_id(window, item.CtlID);
        if (item.CtlType != ODT_STATIC || !control) break;
        draw_label(item, *control);
        return TRUE;
    }
    case WM_ACTIVATE:
        // Keyboard focus goes back to the control that had it, or to the first that takes it.
        if (LOWORD(wparam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus)) window.last_focus = focus;
        } else if (!HIWORD(wparam)) {
            HWND focus = window.last_focus && IsWindow(window.last_focus) ? window.last_focus
                                                                          : GetNextDlgTabItem(hwnd, nullptr, FALSE);
            SetFocus(focus ? focus : hwnd);
        }
        return 0;
    case WM_GETMINMAXINFO: {
        // The defined size holds also when it exceeds the screen.
        auto& info = *reinterpret_cast<MINMAXINFO*>(lparam);
        info.ptMaxTrackSize = {SHRT_MAX, SHRT_MAX};
        return 0;
    }
    case WM_CLOSE:
    case kDestroyRequest:
        close_program_window(window);
        return 0;
    case WM_DESTROY:
        restore_disabled_windows(window);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        release_window_resources(window);
        remove_program_window(window);
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void paint_picture(const ControlWindow& box, HDC target) {
    RECT client{};
    GetClientRect(box.hwnd, &client);
    if (!box.picture) {
        FillRect(target, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    HDC source = CreateCompatibleDC(target);
    const HGDIOBJ previous = SelectObject(source, box.picture);
    BitBlt(target, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

LRESULT control_message(ControlWindow& control, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_TIMER:
        // One message however many periods passed: the system merges pending ticks.
        if (wparam == kTimerId) run_handler(control.part.control->handler);
        return 0;
    case WM_LBUTTONDOWN:
        run_handler(control.part.control->handler);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        paint_picture(control, dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint_picture(control, reinterpret_cast<HDC>(wparam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

ControlWindow& control_of(WindowPart& part) {
    ProgramWindow& window = *part.window;
    return window.controls[static_cast<std::size_t>(part.control - window.definition->controls.data())];
}

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* part = static_cast<WindowPart*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(part));
        if (part->control) {
            control_of(*part).hwnd = hwnd;
        } else {
            part->window->hwnd = hwnd;
        }
    }
    auto* part = reinterpret_cast<WindowPart*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!part) return DefWindowProcW(hwnd, message, wparam, lparam);
    if (part->control) return control_message(control_of(*part), hwnd, message, wparam, lparam);
    return frame_message(*part->window, hwnd, message, wparam, lparam);
}

}  // namespace

void register_window_classes() {
    static const bool registered = [] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof(window_class);
        window_class.lpfnWndProc = window_procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        window_class.lpszClassName = kFrameClass;
        RegisterClassExW(&window_class);
        window_class.lpszClassName = kPictureBoxClass;
        RegisterClassExW(&window_class);
        window_class.hbrBackground = nullptr;
        window_class.hCursor = nullptr;
        window_class.lpszClassName = kTimerClass;
        RegisterClassExW(&window_class);
        return true;
    }();
    (void)registered;
}

void close_program_window(ProgramWindow& window) {
    restore_disabled_windows(window);
    DestroyWindow(window.hwnd);
}
