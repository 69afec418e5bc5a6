// Test support for the internet interface: no test waits a minute for a silent server.
#pragma once

#include <cstdint>

// From now on in this process, connecting and a receive that stalls give up after
// `milliseconds` instead of the platform's default.
void shorten_internet_timeouts_for_tests(std::int32_t milliseconds);
