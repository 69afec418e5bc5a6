// The internet interface over libcurl. A handle points to a heap record holding a root, a
// connection or a request; each copies what it needs from its parent, and a request owns the
// exchange that its send starts. There is no cookie store, so INTERNET_FLAG_NO_COOKIES changes
// nothing: cookies go out only in the header text and come back only in the raw headers.
#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "web/curl/curl_exchange.h"
#include "web/internet.h"

namespace {

constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorInvalidParameter = 87;
constexpr std::uint32_t kErrorHeaderNotFound = 12150;
constexpr std::uint32_t kSecurityFlagIgnoreUnknownCa = 0x100;
constexpr std::uint32_t kSecurityFlagIgnoreCertCnInvalid = 0x1000;

thread_local std::uint32_t last_error = 0;

struct RootHandle {
    std::string agent;
    std::string proxy;
};

struct ConnectionHandle {
    RootHandle root;
    std::string host;
    std::uint16_t port = 0;
};

struct RequestHandle {
    ConnectionHandle connection;
    std::string verb;
    std::string object;
    std::uint32_t flags = 0;
    std::uint32_t security_flags = 0;
    ExchangePointer exchange;
};

// What an opaque handle points to.
using HandleRecord = std::variant<RootHandle, ConnectionHandle, RequestHandle>;

template <class Handle>
Handle* handle_as(InternetHandle handle) {
    Handle* found = handle ? std::get_if<Handle>(static_cast<HandleRecord*>(handle)) : nullptr;
    if (!found) last_error = kErrorInvalidHandle;
    return found;
}

RequestHandle* as_request(InternetHandle handle) { return handle_as<RequestHandle>(handle); }

std::string text_or_empty(const char* text) { return text ? text : ""; }

}  // namespace

InternetHandle internet_open(const char* agent, std::uint32_t access_type, const char* proxy,
                             const char*, std::uint32_t) {
    RootHandle root{text_or_empty(agent), {}};
    if (access_type == kInternetOpenTypeProxy) root.proxy = text_or_empty(proxy);
    return new HandleRecord(std::move(root));
}

InternetHandle internet_connect(InternetHandle root, const char* host, std::uint16_t port,
                                const char*, const char*, std::uint32_t service, std::uint32_t,
                                std::uintptr_t) {
    const auto* owner = handle_as<RootHandle>(root);
    if (!owner) return nullptr;
    if (!host || !*host || service != kInternetServiceHttp) {
        last_error = kErrorInvalidParameter;
        return nullptr;
    }
    return new HandleRecord(ConnectionHandle{*owner, host, port});
}

InternetHandle http_open_request(InternetHandle connection, const char* verb, const char* object,
                                 const char*, const char*, const char**, std::uint32_t flags,
                                 std::uintptr_t) {
    const auto* owner = handle_as<ConnectionHandle>(connection);
    if (!owner) return nullptr;
    RequestHandle request{*owner, verb && *verb ? verb : "GET", object && *object ? object : "/",
                          flags, 0, nullptr};
    return new HandleRecord(std::move(request));
}

bool internet_set_option(InternetHandle handle, std::uint32_t option, const void* buffer,
                         std::uint32_t length) {
    RequestHandle* request = as_request(handle);
    if (!request) return false;
    if (option != kInternetOptionSecurityFlags || !buffer || length != sizeof(std::uint32_t)) {
        last_error = kErrorInvalidParameter;
        return false;
    }
    std::memcpy(&request->security_flags, buffer, sizeof(std::uint32_t));
    return true;
}

bool http_send_request(InternetHandle handle, const char* headers, std::uint32_t headers_length,
                       const void* body, std::uint32_t body_length) {
    RequestHandle* request = as_request(handle);
    if (!request) return false;
    const ConnectionHandle& connection = request->connection;
    const bool secure = (request->flags & kInternetFlagSecure) != 0;
    ExchangeSettings settings;
    settings.agent = connection.root.agent;
    settings.proxy = connection.root.proxy;
    settings.follow_redirects = (request->flags & kInternetFlagNoAutoRedirect) == 0;
    settings.verify_peer = (request->security_flags & kSecurityFlagIgnoreUnknownCa) == 0;
    settings.verify_host = (request->security_flags & kSecurityFlagIgnoreCertCnInvalid) == 0;
    ExchangeTarget target;
    target.scheme = secure ? "https" : "http";
    target.host = connection.host;
    target.port = connection.port != 0 ? connection.port : secure ? 443 : 80;
    target.verb = request->verb;
    target.object = request->object;
    const std::string_view header_text =
        headers ? std::string_view(headers, headers_length) : std::string_view();
    const auto* body_bytes = static_cast<const unsigned char*>(body);
    std::vector<unsigned char> body_copy;
    if (body_bytes) body_copy.assign(body_bytes, body_bytes + body_length);
    request->exchange = exchange_create(settings, target, parse_request_headers(header_text),
                                        std::move(body_copy));
    if (exchange_send(*request->exchange)) return true;
    last_error = exchange_error(*request->exchange);
    return false;
}

bool internet_read_file(InternetHandle handle, void* buffer, std::uint32_t to_read,
                        std::uint32_t* read) {
    *read = 0;
    RequestHandle* request = as_request(handle);
    if (!request) return false;
    if (request->exchange) {
        *read = exchange_read(*request->exchange, static_cast<unsigned char*>(buffer), to_read);
    }
    return true;
}

bool http_query_info(InternetHandle handle, std::uint32_t info_level, void* buffer,
                     std::uint32_t* length, std::uint32_t*) {
    RequestHandle* request = as_request(handle);
    if (!request) return false;
    if (info_level != kHttpQueryRawHeadersCrLf) {
        last_error = kErrorHeaderNotFound;
        return false;
    }
    static const std::string kNoResponse = "\r\n";
    const std::string& block =
        request->exchange ? exchange_header_block(*request->exchange) : kNoResponse;
    if (*length < block.size() + 1) {
        *length = static_cast<std::uint32_t>(block.size() + 1);
        last_error = kErrorInsufficientBuffer;
        return false;
    }
    std::memcpy(buffer, block.c_str(), block.size() + 1);
    *length = static_cast<std::uint32_t>(block.size());
    return true;
}

std::uint32_t internet_last_error() { return last_error; }

bool internet_close_handle(InternetHandle handle) {
    if (!handle) {
        last_error = kErrorInvalidHandle;
        return false;
    }
    delete static_cast<HandleRecord*>(handle);
    return true;
}
