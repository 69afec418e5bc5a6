// A fatal error is shown in a modal message box with the error icon.
#include <windows.h>

#include "base/fatal_report.h"
#include "base/win32/wide_text.h"

void report_fatal_error(std::string_view message) {
    MessageBoxW(nullptr, wide_of(message).c_str(), wide_of("错误").c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
