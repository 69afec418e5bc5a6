#include "base/win32/wide_text.h"

#include <windows.h>

namespace {

constexpr UINT kCodePage = 936;

}  // namespace

std::wstring wide_of(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

Text text_of_wide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    Text text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                        nullptr);
    return text;
}
