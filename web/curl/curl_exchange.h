// One HTTP exchange over libcurl, shaped like a WinINet request: `exchange_send` returns once
// the final response's header block is in (redirects followed hop by hop as WinINet does),
// and `exchange_read` then streams the body.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "web/curl/curl_headers.h"

// Time-outs like WinINet's defaults: connecting, and a receive that delivers nothing.
struct CurlTimeouts {
    long connect_milliseconds = 60000;
    long stall_seconds = 60;
};
extern CurlTimeouts curl_timeouts;

struct ExchangeSettings {
    std::string agent;            // empty: no agent line
    std::string proxy;            // WinINet proxy list; empty: direct
    bool follow_redirects = true;
    bool verify_peer = false;
    bool verify_host = false;
};

struct ExchangeTarget {
    std::string scheme;  // "http" or "https"
    std::string host;
    std::uint16_t port = 0;
    std::string verb;
    std::string object;
};

struct Exchange;
struct ExchangeDeleter {
    void operator()(Exchange* exchange) const;
};
using ExchangePointer = std::unique_ptr<Exchange, ExchangeDeleter>;

ExchangePointer exchange_create(const ExchangeSettings& settings, const ExchangeTarget& target,
                                HeaderLines headers, std::vector<unsigned char> body);
// Sends and waits for the final header block; false when no response came.
bool exchange_send(Exchange& exchange);
// The WinINet error code of a failed send.
std::uint32_t exchange_error(const Exchange& exchange);
// Up to `capacity` body bytes; 0 once the body is over or the exchange failed.
std::uint32_t exchange_read(Exchange& exchange, unsigned char* buffer, std::uint32_t capacity);
// The final response's header block; "\r\n" when none arrived, as WinINet gives it.
const std::string& exchange_header_block(const Exchange& exchange);
