// A scripted web_access for native tests of the update check: answers with the queued
// bodies in order (empty Bytes, as a failed request, once the queue is empty) and records
// every call with its arguments.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/values.h"

struct WebCall {
    std::string url;
    bool options_omitted = false;  // every optional parameter left at its default
};

void fake_web_reset();
void fake_web_queue_body(Bytes body);
const std::vector<WebCall>& fake_web_calls();
