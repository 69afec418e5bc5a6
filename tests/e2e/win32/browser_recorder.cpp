// Stands in for the browser in the end-to-end prefix: the shell's "open" of an https URL
// runs it, and it appends its arguments as one UTF-8 line to the file named by
// VASTREL_E2E_BROWSER_LOG.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int main() {
    wchar_t log_path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"VASTREL_E2E_BROWSER_LOG", log_path, MAX_PATH) == 0) return 2;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring line;
    for (int i = 1; i < count; ++i) line += (i > 1 ? L" " : L"") + std::wstring(arguments[i]);
    LocalFree(arguments);
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    FILE* log = _wfopen(log_path, L"ab");
    if (log == nullptr) return 1;
    std::fprintf(log, "%s\n", utf8.c_str());
    std::fclose(log);
    return 0;
}
