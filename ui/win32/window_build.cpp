// The frame with the shared window style, and the controls of the five kinds.
#include "ui/win32/window_build.h"

#include "media/media.h"
#include "ui/handlers.h"
#include "ui/icon_file.h"
#include "ui/picture_pixels.h"
#include "ui/win32/picture_files.h"
#include "base/win32/wide_text.h"
#include "ui/win32/window_procedure.h"

namespace {

// Fixed frame, title bar with the system menu (Move, Close) and a minimise button.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HFONT default_gui_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HFONT create_font(const LogicalFont& font) {
    LOGFONTW fields{};
    fields.lfHeight = font.height;
    fields.lfWeight = font.weight;
    fields.lfCharSet = font.char_set;
    fields.lfOutPrecision = font.out_precision;
    fields.lfClipPrecision = font.clip_precision;
    fields.lfQuality = font.quality;
    fields.lfPitchAndFamily = font.pitch_and_family;
    const std::wstring face = wide_of(font.face);
    face.copy(fields.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&fields);
}

HICON icon_from_file(std::span<const std::uint8_t> file, int pixels) {
    const auto image = icon_image_for(file, pixels);
    if (!image) return nullptr;
    return CreateIconFromResourceEx(const_cast<BYTE*>(file.data() + image->offset),
                                    static_cast<DWORD>(image->size), TRUE, 0x00030000, pixels, pixels,
                                    LR_DEFAULTCOLOR);
}

void give_icons(ProgramWindow& window) {
    const int big = GetSystemMetrics(SM_CXICON), small = GetSystemMetrics(SM_CXSMICON);
    if (window.definition->icon == WindowIcon::own_icon_file) {
        const auto file = medium_bytes(Medium::program_icon);
        window.big_icon = icon_from_file(file, big);
        window.small_icon = icon_from_file(file, small);
    } else {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        window.big_icon = static_cast<HICON>(LoadImageW(module, L"DEFAULT_ICON", IMAGE_ICON, big, big, 0));
        window.small_icon = static_cast<HICON>(LoadImageW(module, L"DEFAULT_ICON", IMAGE_ICON, small, small, 0));
    }
    SendMessageW(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(window.big_icon));
    SendMessageW(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(window.small_icon));
}

// Decoded, blended and scaled once; only the box-sized bitmap is kept.
HBITMAP render_picture(const ControlDefinition& control, COLORREF face) {
    const BgraImage box =
        render_picture_box(decode_png(picture_file(control.picture)), control.picture_mode, control.width,
                           control.height, Colour{GetRValue(face), GetGValue(face), GetBValue(face)});
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = box.width;
    info.bmiHeader.biHeight = -box.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) std::copy(box.pixels.begin(), box.pixels.end(), static_cast<std::uint8_t*>(bits));
    return bitmap;
}

struct ChildClass {
    const wchar_t* class_name;
    DWORD style;
    DWORD ex_style;
};

ChildClass child_class(const ControlDefinition& control) {
    switch (control.kind) {
    case ControlKind::button:
        return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
    case ControlKind::label:
        return {L"STATIC", SS_OWNERDRAW, 0};
    case ControlKind::list_box:
        return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE};
    case ControlKind::picture_box:
        return {kPictureBoxClass, 0, 0};
    case ControlKind::timer:
        break;
    }
    return {kTimerClass, 0, 0};
}

void create_control(ProgramWindow& window, std::size_t index) {
    ControlWindow& control = window.controls[index];
    const ControlDefinition& definition = *control.part.control;
    const ChildClass kind = child_class(definition);
    const bool timer = definition.kind == ControlKind::timer;
    if (definition.kind == ControlKind::picture_box) {
        control.picture = render_picture(definition, GetSysColor(COLOR_BTNFACE));
    }
    control.hwnd = CreateWindowExW(kind.ex_style, kind.class_name, wide_of(definition.caption).c_str(),
                                   WS_CHILD | kind.style, timer ? 0 : definition.left, timer ? 0 : definition.top,
                                   timer ? 0 : definition.width, timer ? 0 : definition.height, window.hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                                   GetModuleHandleW(nullptr), &control.part);
    if (!control.hwnd) return;
    if (definition.font) control.own_font = create_font(*definition.font);
    SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control.own_font ? control.own_font
                                                                                    : default_gui_font()),
                 FALSE);
    if (definition.kind == ControlKind::list_box) {
        // One pixel taller than the font's normal item height.
        const LRESULT height = SendMessageW(control.hwnd, LB_GETITEMHEIGHT, 0, 0);
        if (height != LB_ERR) SendMessageW(control.hwnd, LB_SETITEMHEIGHT, 0, height + 1);
    }
    if (timer && definition.period_ms > 0) SetTimer(control.hwnd, kTimerId, definition.period_ms, nullptr);
}

// The outer size exactly as defined, whatever the system chose at creation.
void fix_outer_size(HWND frame, int width, int height) {
    RECT rect{};
    GetWindowRect(frame, &rect);
    if (rect.right - rect.left != width || rect.bottom - rect.top != height) {
        SetWindowPos(frame, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

ProgramWindow* build_window(const WindowDefinition& definition, HWND owner) {
    register_window_classes();
    ProgramWindow& window = add_program_window(definition);
    // Centred on the primary screen; the division truncates toward zero, also below zero.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - definition.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - definition.height) / 2;
    CreateWindowExW(0, kFrameClass, wide_of(definition.title).c_str(), kFrameStyle, left, top, definition.width,
                    definition.height, owner, nullptr, GetModuleHandleW(nullptr), &window.part);
    if (!window.hwnd) {
        remove_program_window(window);
        return nullptr;
    }
    fix_outer_size(window.hwnd, definition.width, definition.height);
    give_icons(window);

    for (std::size_t i = 0; i < window.controls.size(); ++i) create_control(window, i);
    for (const ControlWindow& control : window.controls) {
        if (control.hwnd && control.part.control->kind != ControlKind::timer && control.part.control->visible) {
            ShowWindow(control.hwnd, SW_SHOWNA);
        }
    }
    run_handler(definition.created_handler);
    return &window;
}

void show_built_window(ProgramWindow& window) {
    ShowWindow(window.hwnd, SW_SHOW);
    UpdateWindow(window.hwnd);
}

void release_window_resources(ProgramWindow& window) {
    for (ControlWindow& control : window.controls) {
        if (control.own_font) DeleteObject(control.own_font);
        if (control.picture) DeleteObject(control.picture);
        control = ControlWindow{control.part};
    }
    if (window.big_icon) DestroyIcon(window.big_icon);
    if (window.small_icon) DestroyIcon(window.small_icon);
    window.big_icon = window.small_icon = nullptr;
}
