#include "tests/unit/windows_fake_web.h"

#include <deque>

#include "web/web_access.h"

namespace {

std::deque<Bytes> queued_bodies;
std::vector<WebCall> calls;

}  // namespace

void fake_web_reset() {
    queued_bodies.clear();
    calls.clear();
}

void fake_web_queue_body(Bytes body) { queued_bodies.push_back(std::move(body)); }

const std::vector<WebCall>& fake_web_calls() { return calls; }

Bytes web_access(std::string_view url, std::int32_t method, std::string_view post_text,
                 std::optional<std::string_view> cookies, Text* returned_cookies,
                 std::string_view headers, Text* returned_headers, bool no_redirect,
                 const Bytes& post_bytes, std::string_view proxy, bool auto_merge_cookies,
                 bool complete_headers, bool normalize_headers) {
    const bool omitted = method == 0 && post_text.empty() && !cookies && returned_cookies == nullptr &&
                         headers.empty() && returned_headers == nullptr && !no_redirect &&
                         post_bytes.empty() && proxy.empty() && auto_merge_cookies &&
                         complete_headers && normalize_headers;
    calls.push_back({std::string(url), omitted});
    if (queued_bodies.empty()) return {};
    Bytes body = std::move(queued_bodies.front());
    queued_bodies.pop_front();
    return body;
}
