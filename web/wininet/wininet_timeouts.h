// The time-out the test hook asks for, applied to every request handle opened afterwards;
// 0 (always, outside tests) leaves WinINet's defaults.
#pragma once

#include <cstdint>

extern std::uint32_t wininet_test_timeout_milliseconds;
