#include "web/curl/curl_exchange.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

CurlTimeouts curl_timeouts;

namespace {

constexpr int kMaxRedirects = 5;
constexpr int kPollMilliseconds = 1000;
constexpr std::size_t kPendingLimit = 64 * 1024;
// The statuses WinINet follows (308 is returned as it is).
constexpr std::array<int, 4> kRedirectStatuses = {301, 302, 303, 307};

constexpr std::uint32_t kErrorTimeout = 12002;
constexpr std::uint32_t kErrorNameNotResolved = 12007;
constexpr std::uint32_t kErrorCannotConnect = 12029;
constexpr std::uint32_t kErrorConnectionAborted = 12030;
constexpr std::uint32_t kErrorSecureChannel = 12157;

const std::string kNoHeaderBlock = "\r\n";

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

void append(Slist& list, const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown) {
        list.release();
        list.reset(grown);
    }
}

}  // namespace

struct Exchange {
    ExchangeSettings settings;
    ExchangeTarget target;
    HeaderLines headers;
    std::vector<unsigned char> body;
    bool first_hop = true;
    int redirects = 0;

    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    bool attached = false;
    Slist header_list;
    Slist proxy_header_list;
    std::string base_url;
    std::string request_target;
    std::string proxy_url;

    ResponseHead head;
    bool decided = false;
    std::optional<ExchangeTarget> redirect;
    bool done = false;
    bool paused = false;
    CURLcode result = CURLE_OK;
    std::uint32_t error = 0;

    // Body bytes received and not yet read; emptied (keeping its capacity) once read.
    std::vector<unsigned char> pending;
    std::size_t pending_at = 0;
};

namespace {

bool is_loopback(std::string_view host) {
    return same_ignoring_case(host, "localhost") || host == "127.0.0.1" || host == "::1" ||
           host == "[::1]";
}

bool is_default_port(const ExchangeTarget& target) {
    return target.port == (target.scheme == "https" ? 443 : 80);
}

std::string host_and_port(const ExchangeTarget& target) {
    return target.host + ":" + std::to_string(target.port);
}

// The proxy URL for one target from a WinINet proxy list: "host:port" entries serve every
// scheme, "scheme=host:port" entries one scheme; port 80 when none is given; loopback direct.
std::string proxy_for(std::string_view list, const ExchangeTarget& target) {
    if (list.empty() || is_loopback(target.host)) return {};
    std::string_view any_scheme;
    std::string_view this_scheme;
    while (!list.empty()) {
        const auto end = list.find_first_of("; ");
        const std::string_view entry = list.substr(0, end);
        list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
        if (entry.empty()) continue;
        const auto equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (any_scheme.empty()) any_scheme = entry;
        } else if (same_ignoring_case(entry.substr(0, equals), target.scheme)) {
            if (this_scheme.empty()) this_scheme = entry.substr(equals + 1);
        }
    }
    std::string_view chosen = this_scheme.empty() ? any_scheme : this_scheme;
    if (const auto scheme_end = chosen.find("://"); scheme_end != std::string_view::npos) {
        chosen.remove_prefix(scheme_end + 3);
    }
    if (chosen.empty()) return {};
    std::string proxy = "http://" + std::string(chosen);
    if (chosen.find(':') == std::string_view::npos) proxy += ":80";
    return proxy;
}

std::uint32_t error_code(CURLcode result) {
    switch (result) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY: return kErrorNameNotResolved;
        case CURLE_COULDNT_CONNECT: return kErrorCannotConnect;
        case CURLE_OPERATION_TIMEDOUT: return kErrorTimeout;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION: return kErrorSecureChannel;
        default: return kErrorConnectionAborted;
    }
}

std::optional<ExchangeTarget> redirect_target(const Exchange& x) {
    const auto& statuses = kRedirectStatuses;
    if (!x.settings.follow_redirects || x.redirects >= kMaxRedirects || x.head.location.empty() ||
        std::find(statuses.begin(), statuses.end(), x.head.status) == statuses.end()) {
        return std::nullopt;
    }
    CURLU* url = curl_url();
    if (!url) return std::nullopt;
    const std::string current = x.target.scheme + "://" + host_and_port(x.target) + x.target.object;
    if (curl_url_set(url, CURLUPART_URL, current.c_str(), 0) != CURLUE_OK) {
        curl_url_set(url, CURLUPART_URL, x.base_url.c_str(), 0);
    }
    std::optional<ExchangeTarget> next;
    std::array<char*, 5> parts{};
    const std::array<CURLUPart, 5> kinds = {CURLUPART_SCHEME, CURLUPART_HOST, CURLUPART_PORT,
                                            CURLUPART_PATH, CURLUPART_QUERY};
    if (curl_url_set(url, CURLUPART_URL, x.head.location.c_str(), 0) == CURLUE_OK) {
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            curl_url_get(url, kinds[i], &parts[i], kinds[i] == CURLUPART_PORT ? CURLU_DEFAULT_PORT : 0);
        }
        const std::string scheme = parts[0] ? parts[0] : "";
        if ((scheme == "http" || scheme == "https") && parts[1] && parts[2]) {
            ExchangeTarget target = x.target;
            target.scheme = scheme;
            target.host = parts[1];
            target.port = static_cast<std::uint16_t>(std::atoi(parts[2]));
            target.object = parts[3] ? parts[3] : "/";
            if (parts[4]) target.object += std::string("?") + parts[4];
            next = target;
        }
    }
    for (char* part : parts) curl_free(part);
    curl_url_cleanup(url);
    return next;
}

// 301, 302 and 303 turn every verb but HEAD into a bodiless GET; 307 keeps verb and body.
// The content type goes with the body; Content-Length is sent only with a body.
void follow(Exchange& x, ExchangeTarget next) {
    if (x.head.status != 307) {
        if (next.verb != "HEAD") next.verb = "GET";
        x.body.clear();
    }
    if (x.body.empty()) remove_header(x.headers, "Content-Type");
    x.target = std::move(next);
    x.first_hop = false;
    ++x.redirects;
}

size_t on_header(char* data, size_t size, size_t count, void* user) {
    auto& x = *static_cast<Exchange*>(user);
    const size_t length = size * count;
    add_response_line(x.head, std::string_view(data, length));
    if (x.head.complete && !x.decided) {
        x.decided = true;
        x.redirect = redirect_target(x);
        // A followed redirect's body is of no use: end the hop here.
        if (x.redirect) return 0;
    }
    return length;
}

size_t on_body(char* data, size_t size, size_t count, void* user) {
    auto& x = *static_cast<Exchange*>(user);
    const size_t length = size * count;
    if (!x.head.complete) set_status_line_only(x.head);
    // Enough waits unread: hold the transfer until the reader catches up, so that memory
    // stays small whatever the body's size.
    if (x.pending.size() - x.pending_at >= kPendingLimit) {
        x.paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    x.pending.insert(x.pending.end(), bytes, bytes + length);
    return length;
}

bool sends_content_length(const Exchange& x) {
    if (!x.body.empty()) return true;
    return x.first_hop && x.target.verb != "GET";
}

// WinINet's order after Host: Content-Length, the agent (unless the header text names one),
// the header text's lines; libcurl's own Accept, Content-Type, Expect and
// Proxy-Connection lines are suppressed.
void build_header_lists(Exchange& x) {
    x.header_list.reset();
    x.proxy_header_list.reset();
    const bool agent_line = !x.settings.agent.empty() && !has_header(x.headers, "User-Agent");
    if (sends_content_length(x)) append(x.header_list, "Content-Length: " + std::to_string(x.body.size()));
    std::string connect_host = x.target.host;
    if (!is_default_port(x.target)) connect_host += ":" + std::to_string(x.target.port);
    append(x.proxy_header_list, "Host: " + connect_host);
    if (agent_line) {
        append(x.header_list, "User-Agent: " + x.settings.agent);
        append(x.proxy_header_list, "User-Agent: " + x.settings.agent);
    }
    for (const HeaderLine& line : x.headers) {
        append(x.header_list, curl_header_line(line));
        append(x.proxy_header_list, curl_header_line(line));
    }
    for (const char* name : {"Accept", "Content-Type", "Expect", "Proxy-Connection"}) {
        if (!has_header(x.headers, name)) append(x.header_list, std::string(name) + ":");
    }
    append(x.proxy_header_list, "Proxy-Connection:");
}

void configure_hop(Exchange& x) {
    CURL* easy = x.easy;
    curl_easy_reset(easy);
    x.base_url = x.target.scheme + "://" + host_and_port(x.target) + "/";
    x.proxy_url = proxy_for(x.settings.proxy, x.target);
    const bool plain_proxy = !x.proxy_url.empty() && x.target.scheme == "http";
    x.request_target = plain_proxy ? "http://" + host_and_port(x.target) + x.target.object
                                   : x.target.object;
    build_header_lists(x);

    curl_easy_setopt(easy, CURLOPT_URL, x.base_url.c_str());
    curl_easy_setopt(easy, CURLOPT_REQUEST_TARGET, x.request_target.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_1});
    curl_easy_setopt(easy, CURLOPT_HTTP09_ALLOWED, 1L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXY, x.proxy_url.c_str());
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    // The CONNECT of a tunnel carries the proxy list; a plain proxy request would send both.
    const bool tunnel = !x.proxy_url.empty() && !plain_proxy;
    curl_easy_setopt(easy, CURLOPT_PROXYHEADER, tunnel ? x.proxy_header_list.get() : nullptr);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, x.header_list.get());
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, x.settings.verify_peer ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, x.settings.verify_host ? 2L : 0L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, curl_timeouts.connect_milliseconds);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, curl_timeouts.stall_seconds);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, on_header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &x);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, on_body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &x);

    const bool head = x.target.verb == "HEAD";
    // A HEAD answer has no body whatever its length says; a HEAD request may still carry one.
    if (head) curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    if (head && x.body.empty()) return;
    if (x.target.verb == "GET" && x.body.empty()) {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    } else {
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(x.body.size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, x.body.empty() ? "" : reinterpret_cast<const char*>(x.body.data()));
        if (x.target.verb != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, x.target.verb.c_str());
    }
}

template <class Until>
void pump(Exchange& x, Until until) {
    while (!x.done && !until()) {
        int running = 0;
        const CURLMcode status = curl_multi_perform(x.multi, &running);
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(x.multi, &left)) {
            if (message->msg != CURLMSG_DONE) continue;
            x.done = true;
            x.result = message->data.result;
        }
        if (status != CURLM_OK && !x.done) {
            x.done = true;
            x.result = CURLE_FAILED_INIT;
        }
        if (x.done || until()) return;
        curl_multi_poll(x.multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
}

void start_hop(Exchange& x) {
    configure_hop(x);
    x.head = ResponseHead{};
    x.decided = false;
    x.redirect.reset();
    x.done = false;
    x.paused = false;
    x.result = CURLE_OK;
    x.pending.clear();
    x.pending_at = 0;
    x.attached = curl_multi_add_handle(x.multi, x.easy) == CURLM_OK;
    if (!x.attached) {
        x.done = true;
        x.result = CURLE_FAILED_INIT;
    }
}

void end_hop(Exchange& x) {
    if (x.attached) curl_multi_remove_handle(x.multi, x.easy);
    x.attached = false;
}

}  // namespace

void ExchangeDeleter::operator()(Exchange* exchange) const {
    end_hop(*exchange);
    if (exchange->easy) curl_easy_cleanup(exchange->easy);
    if (exchange->multi) curl_multi_cleanup(exchange->multi);
    delete exchange;
}

ExchangePointer exchange_create(const ExchangeSettings& settings, const ExchangeTarget& target,
                                HeaderLines headers, std::vector<unsigned char> body) {
    static CurlGlobal global;
    ExchangePointer x(new Exchange);
    x->settings = settings;
    x->target = target;
    x->headers = std::move(headers);
    x->body = std::move(body);
    x->multi = curl_multi_init();
    x->easy = curl_easy_init();
    return x;
}

bool exchange_send(Exchange& x) {
    if (!x.multi || !x.easy) {
        x.error = kErrorConnectionAborted;
        return false;
    }
    for (;;) {
        start_hop(x);
        pump(x, [&] { return x.head.complete; });
        if (!x.redirect) break;
        end_hop(x);
        follow(x, *x.redirect);
    }
    if (x.head.complete) return true;
    x.error = error_code(x.result);
    return false;
}

std::uint32_t exchange_error(const Exchange& x) { return x.error; }

std::uint32_t exchange_read(Exchange& x, unsigned char* buffer, std::uint32_t capacity) {
    if (!x.head.complete) return 0;
    if (x.pending_at == x.pending.size()) {
        x.pending.clear();
        x.pending_at = 0;
        if (x.paused) {
            x.paused = false;
            curl_easy_pause(x.easy, CURLPAUSE_CONT);
        }
        pump(x, [&] { return !x.pending.empty(); });
    }
    const std::size_t count = std::min<std::size_t>(capacity, x.pending.size() - x.pending_at);
    if (count != 0) std::memcpy(buffer, x.pending.data() + x.pending_at, count);
    x.pending_at += count;
    return static_cast<std::uint32_t>(count);
}

const std::string& exchange_header_block(const Exchange& x) {
    return x.head.complete ? x.head.block : kNoHeaderBlock;
}
