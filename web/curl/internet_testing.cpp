#include "web/internet_testing.h"

#include "web/curl/curl_exchange.h"

void shorten_internet_timeouts_for_tests(std::int32_t milliseconds) {
    curl_timeouts.connect_milliseconds = milliseconds;
    // libcurl measures a stall in whole seconds.
    curl_timeouts.stall_seconds = milliseconds < 1000 ? 1 : milliseconds / 1000;
}
