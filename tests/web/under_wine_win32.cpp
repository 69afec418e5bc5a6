#include <windows.h>

#include "tests/web/test_server.h"

// Wine's ntdll exports wine_get_version; Windows' does not.
bool under_wine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
