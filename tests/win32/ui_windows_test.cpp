// The six windows built by the Win32 toolkit, measured on real windows: outer sizes,
// control rectangles, captions, visibility, focus acceptance, list-box settings.
#include <gtest/gtest.h>

#include <string>

#include "ui/toolkit.h"
#include "base/win32/wide_text.h"
#include "ui/win32/win32_probe.h"

namespace {

class SixWindows : public testing::TestWithParam<const WindowDefinition*> {
protected:
    void SetUp() override { open_window(*GetParam()); }
    void TearDown() override {
        if (HWND frame = window_handle(*GetParam())) DestroyWindow(frame);
    }
};

RECT rect_in_client(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_P(SixWindows, FrameHasTheDefinedOuterSizeCentredPlaceAndStyle) {
    const WindowDefinition& window = *GetParam();
    HWND frame = window_handle(window);
    ASSERT_NE(frame, nullptr);
    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.right - rect.left, window.width);
    EXPECT_EQ(rect.bottom - rect.top, window.height);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - window.width) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - window.height) / 2);
    const LONG style = GetWindowLongW(frame, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongW(frame, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    wchar_t title[64]{};
    GetWindowTextW(frame, title, 64);
    EXPECT_EQ(text_of_wide(title), window.title);
    EXPECT_NE(SendMessageW(frame, WM_GETICON, ICON_BIG, 0), 0);
}

TEST_P(SixWindows, ControlsHaveTheirPlaceCaptionVisibilityAndFocusAcceptance) {
    const WindowDefinition& window = *GetParam();
    for (const ControlDefinition& control : window.controls) {
        SCOPED_TRACE(text_of_wide(wide_of(control.name)));
        HWND hwnd = control_handle(window, control.name);
        ASSERT_NE(hwnd, nullptr);
        const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
        if (control.kind == ControlKind::timer) {
            EXPECT_FALSE(style & WS_VISIBLE);
            continue;
        }
        const RECT rect = rect_in_client(hwnd);
        EXPECT_EQ(rect.left, control.left);
        EXPECT_EQ(rect.top, control.top);
        EXPECT_EQ(rect.right - rect.left, control.width);
        EXPECT_EQ(rect.bottom - rect.top, control.height);
        EXPECT_EQ(is_visible(window, control.name), control.visible);
        const bool takes_focus = control.kind == ControlKind::button || control.kind == ControlKind::list_box;
        EXPECT_EQ((style & WS_TABSTOP) != 0, takes_focus);
        if (control.kind == ControlKind::button || control.kind == ControlKind::label) {
            EXPECT_EQ(caption_of(window, control.name), control.caption);
        }
    }
}

// The labels that carry a logical font of their own; every other button, label and list box
// of the six windows uses the stock DEFAULT_GUI_FONT.
struct FontRow {
    const WindowDefinition* window;
    const char* control;
    LONG height;
    LONG weight;
    BYTE out_precision;
    BYTE clip_precision;
    BYTE quality;
    BYTE pitch_and_family;
    const char* face;
};
const FontRow kOwnFonts[] = {
    {&kMainWindow, "标签4", -19, 700, 0, 0, 0, 0, ""},
    {&kVersionWindow, "标签1", -29, 400, 0, 0, 0, 0, ""},
    {&kVersionWindow, "标签4", -24, 700, 3, 2, 1, 0x22, "@Microsoft YaHei UI"},
    {&kVersionWindow, "标签3", -29, 400, 0, 0, 0, 0, ""},
    {&kVersionWindow, "标签6", -24, 700, 3, 2, 1, 0x22, "微软雅黑"},
};

const FontRow* own_font_of(const WindowDefinition& window, std::string_view control) {
    for (const FontRow& row : kOwnFonts) {
        if (row.window == &window && row.control == control) return &row;
    }
    return nullptr;
}

TEST_P(SixWindows, TextControlsUseTheirLogicalFontOrTheDefaultGuiFont) {
    const WindowDefinition& window = *GetParam();
    for (const ControlDefinition& control : window.controls) {
        if (control.kind == ControlKind::timer || control.kind == ControlKind::picture_box) continue;
        SCOPED_TRACE(text_of_wide(wide_of(control.name)));
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control_handle(window, control.name), WM_GETFONT, 0, 0));
        const FontRow* row = own_font_of(window, control.name);
        if (row == nullptr) {
            EXPECT_EQ(font, GetStockObject(DEFAULT_GUI_FONT));
            continue;
        }
        LOGFONTW fields{};
        ASSERT_EQ(GetObjectW(font, sizeof fields, &fields), int{sizeof fields});
        EXPECT_EQ(fields.lfHeight, row->height);
        EXPECT_EQ(fields.lfWidth, 0);
        EXPECT_EQ(fields.lfEscapement, 0);
        EXPECT_EQ(fields.lfOrientation, 0);
        EXPECT_EQ(fields.lfWeight, row->weight);
        EXPECT_EQ(fields.lfItalic | fields.lfUnderline | fields.lfStrikeOut, 0);
        EXPECT_EQ(fields.lfCharSet, 134);
        EXPECT_EQ(fields.lfOutPrecision, row->out_precision);
        EXPECT_EQ(fields.lfClipPrecision, row->clip_precision);
        EXPECT_EQ(fields.lfQuality, row->quality);
        EXPECT_EQ(fields.lfPitchAndFamily, row->pitch_and_family);
        EXPECT_EQ(text_of_wide(fields.lfFaceName), row->face);
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, SixWindows, testing::ValuesIn(kAllWindows),
                         [](const auto& info) { return std::to_string(info.index); });

class MainWindow : public testing::Test {
protected:
    void SetUp() override { open_window(kMainWindow); }
    void TearDown() override { DestroyWindow(window_handle(kMainWindow)); }
};

TEST_F(MainWindow, RunLogLiesBelowTheClientAreaUntilTheWindowGrows) {
    RECT client{};
    GetClientRect(window_handle(kMainWindow), &client);
    EXPECT_LE(client.bottom, 120);
    set_outer_height(kMainWindow, 300);
    RECT rect{};
    GetWindowRect(window_handle(kMainWindow), &rect);
    EXPECT_EQ(rect.bottom - rect.top, 300);
    EXPECT_EQ(rect.right - rect.left, 284);
    GetClientRect(window_handle(kMainWindow), &client);
    EXPECT_GE(client.bottom, 120 + 144);
}

TEST_F(MainWindow, RunLogKeepsLinesValuesAndItsItemHeight) {
    append_list_item(kMainWindow, "列表框1", "2020年3月17日8时5分7秒 自动签到开始运行", 1);
    append_list_item(kMainWindow, "列表框1", "第二行", -7);
    HWND list = control_handle(kMainWindow, "列表框1");
    EXPECT_EQ(list_item_count(kMainWindow, "列表框1"), 2);
    EXPECT_EQ(static_cast<std::int32_t>(SendMessageW(list, LB_GETITEMDATA, 1, 0)), -7);
    wchar_t line[64]{};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(text_of_wide(line), "2020年3月17日8时5分7秒 自动签到开始运行");
    EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & LBS_SORT);

    // A plain list box with the same font gives the font's normal item height.
    HWND plain = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 50, 50, window_handle(kMainWindow), nullptr,
                                 nullptr, nullptr);
    SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), SendMessageW(plain, LB_GETITEMHEIGHT, 0, 0) + 1);
    DestroyWindow(plain);
}

TEST_F(MainWindow, CaptionsRoundTripAsGbk) {
    const std::string caption = "签到次数：１２ Ａ";
    set_caption(kMainWindow, "标签4", caption);
    EXPECT_EQ(caption_of(kMainWindow, "标签4"), caption);
    wchar_t wide[16]{};
    GetWindowTextW(control_handle(kMainWindow, "标签4"), wide, 16);
    EXPECT_EQ(std::wstring(wide), L"签到次数：１２ Ａ");
}

TEST_F(MainWindow, ScanTimerRunsWithIdentifier1000OnItsHiddenWindow) {
    HWND timer = control_handle(kMainWindow, "时钟1检测周期");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(IsWindowVisible(timer));
    EXPECT_TRUE(KillTimer(timer, 1000));
}

TEST_F(MainWindow, KeepsOnlyTheBoxSizedBitmap) {
    EXPECT_EQ(picture_bytes_held(kMainWindow), 72u * 112 * 4);
}

}  // namespace
