// The browser hand-off.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/desktop.h"

void open_in_browser(std::string_view url) {
    const std::string file(url);
    HWND owner = FindWindowA(nullptr, "Microsoft Internet Explorer");
    ShellExecuteA(owner, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
