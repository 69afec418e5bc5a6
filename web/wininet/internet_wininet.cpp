// The internet interface over WinINet: each call is the WinINet function of the same shape.
#include <windows.h>
#include <wininet.h>

#include <initializer_list>

#include "web/internet.h"
#include "web/wininet/wininet_timeouts.h"

std::uint32_t wininet_test_timeout_milliseconds = 0;

static_assert(kInternetOpenTypeDirect == INTERNET_OPEN_TYPE_DIRECT);
static_assert(kInternetOpenTypeProxy == INTERNET_OPEN_TYPE_PROXY);
static_assert(kInternetServiceHttp == INTERNET_SERVICE_HTTP);
static_assert(kInternetFlagReload == INTERNET_FLAG_RELOAD);
static_assert(kInternetFlagNeedFile == INTERNET_FLAG_NEED_FILE);
static_assert(kInternetFlagNoCookies == INTERNET_FLAG_NO_COOKIES);
static_assert(kInternetFlagNoAutoRedirect == INTERNET_FLAG_NO_AUTO_REDIRECT);
static_assert(kInternetFlagSecure == INTERNET_FLAG_SECURE);
static_assert(kInternetFlagIgnoreRedirectToHttps == INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS);
static_assert(kInternetOptionSecurityFlags == INTERNET_OPTION_SECURITY_FLAGS);
static_assert(kSecurityFlagsIgnoreAll ==
              (SECURITY_FLAG_IGNORE_REVOCATION | SECURITY_FLAG_IGNORE_UNKNOWN_CA |
               SECURITY_FLAG_IGNORE_WRONG_USAGE | SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
               SECURITY_FLAG_IGNORE_CERT_DATE_INVALID | SECURITY_FLAG_IGNORE_REDIRECT_TO_HTTPS |
               SECURITY_FLAG_IGNORE_REDIRECT_TO_HTTP | SECURITY_FLAG_IGNORE_WEAK_SIGNATURE));
static_assert(kHttpQueryRawHeadersCrLf == HTTP_QUERY_RAW_HEADERS_CRLF);
static_assert(kErrorInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);

InternetHandle internet_open(const char* agent, std::uint32_t access_type, const char* proxy,
                             const char* proxy_bypass, std::uint32_t flags) {
    return InternetOpenA(agent, access_type, proxy, proxy_bypass, flags);
}

InternetHandle internet_connect(InternetHandle root, const char* host, std::uint16_t port,
                                const char* user, const char* password, std::uint32_t service,
                                std::uint32_t flags, std::uintptr_t context) {
    return InternetConnectA(root, host, port, user, password, service, flags, context);
}

InternetHandle http_open_request(InternetHandle connection, const char* verb, const char* object,
                                 const char* version, const char* referrer,
                                 const char** accept_types, std::uint32_t flags,
                                 std::uintptr_t context) {
    HINTERNET request = HttpOpenRequestA(connection, verb, object, version, referrer,
                                         accept_types, flags, context);
    if (request && wininet_test_timeout_milliseconds != 0) {
        DWORD timeout = wininet_test_timeout_milliseconds;
        for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT}) {
            InternetSetOptionA(request, option, &timeout, sizeof timeout);
        }
    }
    return request;
}

bool internet_set_option(InternetHandle handle, std::uint32_t option, const void* buffer,
                         std::uint32_t length) {
    return InternetSetOptionA(handle, option, const_cast<void*>(buffer), length);
}

bool http_send_request(InternetHandle request, const char* headers, std::uint32_t headers_length,
                       const void* body, std::uint32_t body_length) {
    return HttpSendRequestA(request, headers, headers_length, const_cast<void*>(body), body_length);
}

bool internet_read_file(InternetHandle request, void* buffer, std::uint32_t to_read,
                        std::uint32_t* read) {
    DWORD count = 0;
    const bool ok = InternetReadFile(request, buffer, to_read, &count);
    *read = count;
    return ok;
}

bool http_query_info(InternetHandle request, std::uint32_t info_level, void* buffer,
                     std::uint32_t* length, std::uint32_t* index) {
    DWORD size = *length;
    DWORD position = index ? *index : 0;
    const bool ok = HttpQueryInfoA(request, info_level, buffer, &size, index ? &position : nullptr);
    *length = size;
    if (index) *index = position;
    return ok;
}

std::uint32_t internet_last_error() { return GetLastError(); }

bool internet_close_handle(InternetHandle handle) { return InternetCloseHandle(handle); }
