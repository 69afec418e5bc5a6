// One complete, blocking HTTP or HTTPS exchange.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/values.h"

inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// Fetches `url` and returns the response body (every byte, whatever the status), or empty
// Bytes on failure. `method` indexes GET, POST, HEAD, PUT, OPTIONS, DELETE, TRACE, CONNECT
// (out of range: GET). The body is `post_bytes`, else the bytes of `post_text`; GET sends none.
// `cookies`, when supplied (even empty), switches the platform's cookie store off, is sent as
// a Cookie line, and is merged with the response's cookies. `headers` are extra CR LF
// separated lines; missing defaults are completed and names capitalised unless switched off.
// `proxy` is "host:port". A null out-parameter is discarded. `returned_headers` gets the
// whole raw header block, or the empty Text when none could be had.
Bytes web_access(std::string_view url,
                 std::int32_t method = 0,
                 std::string_view post_text = {},
                 std::optional<std::string_view> cookies = std::nullopt,
                 Text* returned_cookies = nullptr,
                 std::string_view headers = {},
                 Text* returned_headers = nullptr,
                 bool no_redirect = false,
                 const Bytes& post_bytes = {},
                 std::string_view proxy = {},
                 bool auto_merge_cookies = true,
                 bool complete_headers = true,
                 bool normalize_headers = true);
