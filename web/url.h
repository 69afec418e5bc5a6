// A URL taken apart for the request: host, port and object path. No decoding, no validation.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/values.h"

// The host in lower case. `main_domain_only` cuts it to its last two labels (default mode)
// or to the labels `levels` selects; supplying `levels`, whatever its value, selects level
// mode. `keep_port` keeps ":" and the port.
Text url_host(std::string_view url, bool main_domain_only = false, bool keep_port = false,
              std::optional<std::int32_t> levels = std::nullopt);
// The port after the host's last ":", else 443 for a URL starting "https" (any case), else 80.
std::int32_t url_port(std::string_view url);
// The object path from the first "/" after the host (looked for after a leading scheme) on,
// in the URL's own letter case; "/" when none.
Text url_path(std::string_view url);
