// A fatal error is shown in a modal message box with the error icon.
#include <windows.h>

#include <string>

#include "base/fatal_report.h"

namespace {

std::wstring wide_from_gbk(std::string_view text) {
    constexpr UINT kGbkCodePage = 936;
    const int size = static_cast<int>(text.size());
    const int wide_size = MultiByteToWideChar(kGbkCodePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, text.data(), size, wide.data(), wide_size);
    return wide;
}

}  // namespace

void report_fatal_error(std::string_view message) {
    MessageBoxW(nullptr, wide_from_gbk(message).c_str(), wide_from_gbk("错误").c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
