#include "web/internet_testing.h"

#include "web/wininet/wininet_timeouts.h"

// Set per request: Wine's WinINet accepts time-outs on the root handle and process-wide
// but applies only those set on the request.
void shorten_internet_timeouts_for_tests(std::int32_t milliseconds) {
    wininet_test_timeout_milliseconds = static_cast<std::uint32_t>(milliseconds);
}
