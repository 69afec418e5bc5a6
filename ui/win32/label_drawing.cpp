#include "ui/win32/label_drawing.h"

#include <string>

namespace {

UINT text_format(const ControlDefinition& label) {
    UINT format = DT_NOPREFIX;
    switch (label.align) {
    case HorizontalAlign::left:
        format |= DT_LEFT;
        break;
    case HorizontalAlign::centre:
        format |= DT_CENTER;
        break;
    case HorizontalAlign::right:
        format |= DT_RIGHT;
        break;
    }
    // Wrapped text breaks at CR LF and between words (or characters of a word too long
    // for the line) from the top; otherwise one line, centred vertically.
    if (label.word_wrap) return format | DT_WORDBREAK | DT_EDITCONTROL | DT_TOP;
    return format | DT_SINGLELINE | DT_VCENTER;
}

}  // namespace

void draw_label(const DRAWITEMSTRUCT& item, const ControlWindow& label) {
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
    const HFONT font = label.own_font ? label.own_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const HGDIOBJ previous_font = SelectObject(item.hDC, font);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(item.hwndItem, caption.data(), int(caption.size()))));
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &area, text_format(*label.part.control));
    SelectObject(item.hDC, previous_font);
}
