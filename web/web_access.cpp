#include "web/web_access.h"

#include <algorithm>
#include <array>

#include "base/editing.h"
#include "web/cookies.h"
#include "web/headers.h"
#include "web/internet.h"
#include "web/url.h"

namespace {

constexpr std::array<const char*, 8> kVerbs = {"GET",     "POST",   "HEAD",  "PUT",
                                               "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr std::int32_t kMethodPost = 1;
constexpr std::int32_t kReadChunk = 1024;
constexpr std::int32_t kHeaderBufferSize = 5000;
constexpr std::size_t kFirstBodyCapacity = 64 * 1024;
constexpr std::size_t kBodyGrowth = 4;
constexpr std::string_view kCrLf = "\r\n";

// A Text as WinINet takes it: the empty Text is a null pointer.
const char* text_or_none(const Text& text) { return text.empty() ? nullptr : text.c_str(); }

Text agent_from(const Text& headers) {
    if (find_from(headers, "User-Agent:", 1, true) == -1) return Text(kDefaultUserAgent);
    Text agent = trim_spaces(text_between(concat(headers, kCrLf), "User-Agent:", kCrLf));
    if (agent.empty()) agent = text_after_colon(headers);
    return agent;
}

bool lacks(const Text& headers, std::string_view name) {
    return find_from(headers, name, 1, true) == -1;
}

void complete(Text& headers, std::string_view url, std::int32_t method) {
    if (headers.empty()) headers = "Accept: */*";
    if (lacks(headers, "Accept:")) headers += concat(kCrLf, "Accept: */*");
    if (lacks(headers, "Referer:")) headers += concat(kCrLf, "Referer: ", url);
    if (lacks(headers, "Accept-Language:")) headers += concat(kCrLf, "Accept-Language: zh-cn");
    if (method == kMethodPost && lacks(headers, "Content-Type:")) {
        headers += concat(kCrLf, "Content-Type: application/x-www-form-urlencoded");
    }
}

// Appends every body byte. The buffer of 1024 bytes is made once; the body grows in place,
// four times over from 64 KiB: few reallocations, so the allocator keeps reusing its memory,
// and capacity beyond the bytes read is never touched.
Bytes read_body(InternetHandle request) {
    Bytes body;
    Bytes buffer = zero_bytes(kReadChunk);
    std::uint32_t count = 0;
    do {
        count = 0;
        internet_read_file(request, buffer.data(), kReadChunk, &count);
        count = std::min(count, static_cast<std::uint32_t>(kReadChunk));
        if (body.capacity() - body.size() < count) {
            body.reserve(std::max(body.capacity() * kBodyGrowth, kFirstBodyCapacity));
        }
        body.insert(body.end(), buffer.begin(), buffer.begin() + count);
    } while (count != 0);
    return body;
}

// The whole raw header block, asking again with the size the platform names when 5000 bytes
// are too few; the empty Text when no block can be had.
Text read_raw_headers(InternetHandle request) {
    Text buffer = spaces(kHeaderBufferSize);
    for (;;) {
        auto length = static_cast<std::uint32_t>(buffer.size());
        if (http_query_info(request, kHttpQueryRawHeadersCrLf, buffer.data(), &length, nullptr)) {
            const Text block = text_of(Bytes(buffer.begin(), buffer.end()));
            // A lone empty line is what WinINet gives when no response came: no block at all.
            return block == kCrLf ? Text() : block;
        }
        if (internet_last_error() != kErrorInsufficientBuffer || length <= buffer.size()) return {};
        buffer = spaces(static_cast<std::int32_t>(length));
    }
}

Text cookies_set_by(const Text& raw_headers) {
    Text found;
    const TextList lines = split_by(raw_headers, kCrLf);
    for (std::int32_t i = 1; i <= list_count(lines); ++i) {
        const Text& line = item_at(lines, i);
        if (compare_texts(text_before(line, ": "), "Set-Cookie") != 0) continue;
        Text cookie = find_from(line, ";", 1, false) != -1
                          ? text_between(line, "Set-Cookie:", ";")
                          : substitute(line, "Set-Cookie:", "", std::nullopt, std::nullopt, false);
        found += trim_spaces(cookie);
        found += "; ";
    }
    return left_of(found, length_of(found) - 2);
}

}  // namespace

Bytes web_access(std::string_view url, std::int32_t method, std::string_view post_text,
                 std::optional<std::string_view> cookies, Text* returned_cookies,
                 std::string_view headers, Text* returned_headers, bool no_redirect,
                 const Bytes& post_bytes, std::string_view proxy, bool auto_merge_cookies,
                 bool complete_headers, bool normalize_headers) {
    if (method < 0 || method > 7) method = 0;
    Text header_text(headers);
    if (normalize_headers) header_text = normalize_header_names(header_text);
    const char* verb = kVerbs[static_cast<std::size_t>(method)];
    const bool secure = ascii_lower(left_of(url, 8)) == "https://";
    const Text agent = agent_from(header_text);

    const Text proxy_text = proxy.empty() ? Text() : secure ? Text(proxy) : concat("http=", proxy);
    InternetHandle root =
        proxy.empty()
            ? internet_open(text_or_none(agent), kInternetOpenTypeDirect, nullptr, nullptr, 0)
            : internet_open(text_or_none(agent), kInternetOpenTypeProxy, proxy_text.c_str(), "", 0);
    if (!root) return {};
    const Text host = url_host(url);
    InternetHandle connection =
        internet_connect(root, text_or_none(host), static_cast<std::uint16_t>(url_port(url)),
                         nullptr, nullptr, kInternetServiceHttp, 0, 0);
    if (!connection) {
        internet_close_handle(root);
        return {};
    }
    const std::uint32_t flags = static_cast<std::uint32_t>(bit_or(
        kInternetFlagReload, kInternetFlagNeedFile, cookies ? kInternetFlagNoCookies : 0,
        no_redirect ? kInternetFlagNoAutoRedirect : 0,
        secure ? kInternetFlagSecure : kInternetFlagIgnoreRedirectToHttps));
    const Text path = url_path(url);
    InternetHandle request = http_open_request(connection, verb, text_or_none(path), "HTTP/1.1",
                                               nullptr, nullptr, flags, 0);
    if (!request) {
        internet_close_handle(connection);
        internet_close_handle(root);
        return {};
    }
    const std::uint32_t security_flags = kSecurityFlagsIgnoreAll;
    internet_set_option(request, kInternetOptionSecurityFlags, &security_flags,
                        sizeof security_flags);

    if (complete_headers) complete(header_text, url, method);
    if (cookies && !cookies->empty()) {
        header_text += kCrLf;
        if (find_from(*cookies, "Cookie:", 1, false) == -1) header_text += "Cookie: ";
        header_text += *cookies;
    }

    const auto header_length = static_cast<std::uint32_t>(header_text.size());
    if (method == 0) {
        http_send_request(request, text_or_none(header_text), header_length, nullptr, 0);
    } else {
        const Bytes body = bytes_size(post_bytes) != 0 ? post_bytes : bytes_of(post_text);
        http_send_request(request, text_or_none(header_text), header_length,
                          body.empty() ? nullptr : body.data(),
                          static_cast<std::uint32_t>(body.size()));
    }

    Bytes body = read_body(request);
    const Text raw_headers = read_raw_headers(request);
    internet_close_handle(request);
    internet_close_handle(connection);
    internet_close_handle(root);

    Text response_cookies = cookies_set_by(raw_headers);
    if (auto_merge_cookies && cookies) {
        Text supplied(*cookies);
        response_cookies = merge_cookies(supplied, response_cookies);
    }
    if (returned_headers) *returned_headers = raw_headers;
    if (returned_cookies) *returned_cookies = response_cookies;
    return body;
}
