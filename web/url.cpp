#include "web/url.h"

#include <cstdint>

#include "base/editing.h"
#include "web/headers.h"

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

Text host_default_mode(std::string_view url, bool main_domain_only) {
    Text host = ascii_lower(url);
    if (right_of(host, 1) != "/") host += '/';
    if (left_of(host, 8) == kHttps) {
        host = text_between(host, kHttps, "/");
    } else {
        if (find_from(host, kHttp, 1, false) == -1) host = concat(kHttp, host);
        host = text_between(host, kHttp, "/");
    }
    if (main_domain_only) {
        const TextList labels = split_by(host, ".");
        const std::int32_t count = list_count(labels);
        if (count > 1) host = concat(item_at(labels, count - 1), ".", item_at(labels, count));
    }
    return host;
}

// Position of the k-th dot counted from the end, a dot in the last byte not counted; -1 when
// there are fewer than k.
std::int32_t dot_from_end(std::string_view host, std::int64_t k) {
    std::int32_t end = length_of(host);
    for (std::int64_t i = 0; i < k; ++i) {
        end = find_last(host, ".", end, false);
        if (end == -1) return -1;
    }
    return end;
}

Text host_level_mode(std::string_view url, bool main_domain_only, std::int32_t levels) {
    Text host = ascii_lower(url);
    host = substitute(host, kHttp, "", std::nullopt, std::nullopt, true);
    host = substitute(host, kHttps, "", std::nullopt, std::nullopt, true);
    const std::int32_t slash = find_from(host, "/", 1, false);
    if (slash != -1) host = left_of(host, slash - 1);
    const std::int32_t length = length_of(host);
    const std::int64_t kept = levels < 1 ? 0 : levels;
    if (main_domain_only) {
        const std::int32_t dot = dot_from_end(host, kept + 1);
        if (dot != -1) host = right_of(host, length - dot);
    } else {
        const std::int32_t dot = dot_from_end(host, kept + 2);
        if (dot != -1) host = right_of(host, length - dot);
    }
    return host;
}

// The length of the "http://" or "https://" (any case) that starts the URL, else 0. The host
// is looked for after it, so that a host whose name also occurs in the scheme text (h, s,
// http) is not taken from there.
std::int32_t scheme_length(std::string_view url) {
    const Text start = ascii_lower(left_of(url, 8));
    if (start == kHttps) return length_of(kHttps);
    if (left_of(start, 7) == kHttp) return length_of(kHttp);
    return 0;
}

}  // namespace

Text url_host(std::string_view url, bool main_domain_only, bool keep_port,
              std::optional<std::int32_t> levels) {
    Text host = levels ? host_level_mode(url, main_domain_only, *levels)
                       : host_default_mode(url, main_domain_only);
    if (!keep_port) {
        const std::int32_t colon = find_from(host, ":", 1, false);
        if (colon != -1) host = left_of(host, colon - 1);
    }
    return host;
}

std::int32_t url_port(std::string_view url) {
    const Text host = url_host(url, false, true);
    const std::int32_t colon = find_last(host, ":", std::nullopt, false);
    if (colon != -1) return integer_of(right_of(host, length_of(host) - colon));
    return left_of(ascii_lower(url), 5) == "https" ? 443 : 80;
}

Text url_path(std::string_view url) {
    const std::int32_t host_at = find_from(url, url_host(url), scheme_length(url) + 1, true);
    const std::int32_t slash = find_from(url, "/", host_at, false);
    if (slash <= 0) return "/";
    return right_of(url, length_of(url) - slash + 1);
}
