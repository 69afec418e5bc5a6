#include "web/internet_testing.h"

#include <windows.h>
#include <wininet.h>

// Process-wide defaults (set on no handle), which every handle opened later inherits.
void shorten_internet_timeouts_for_tests(std::int32_t milliseconds) {
    DWORD value = static_cast<DWORD>(milliseconds);
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionA(nullptr, option, &value, sizeof value);
    }
}
