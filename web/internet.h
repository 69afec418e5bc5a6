// The internet interface: the WinINet-shaped calls web_access makes. Handles are opaque;
// a null handle is failure. Texts are zero-terminated code page 936 strings; a null
// pointer stands for "none". Implemented by web/wininet/ (Windows) and web/curl/ (Linux).
#pragma once

#include <cstdint>

using InternetHandle = void*;

inline constexpr std::uint32_t kInternetOpenTypeDirect = 1;
inline constexpr std::uint32_t kInternetOpenTypeProxy = 3;
inline constexpr std::uint32_t kInternetServiceHttp = 3;

inline constexpr std::uint32_t kInternetFlagReload = 0x80000000;
inline constexpr std::uint32_t kInternetFlagNeedFile = 0x10;
inline constexpr std::uint32_t kInternetFlagNoCookies = 0x80000;
inline constexpr std::uint32_t kInternetFlagNoAutoRedirect = 0x200000;
inline constexpr std::uint32_t kInternetFlagSecure = 0x800000;
inline constexpr std::uint32_t kInternetFlagIgnoreRedirectToHttps = 0x4000;

inline constexpr std::uint32_t kInternetOptionSecurityFlags = 31;
// Unknown CA, wrong name, expired, wrong usage, weak signature, revocation and redirects
// between HTTP and HTTPS all ignored.
inline constexpr std::uint32_t kSecurityFlagsIgnoreAll = 0x1F380;

inline constexpr std::uint32_t kHttpQueryRawHeadersCrLf = 22;
// internet_last_error after a query whose buffer was too small; the length then holds the size needed.
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;

InternetHandle internet_open(const char* agent, std::uint32_t access_type, const char* proxy,
                             const char* proxy_bypass, std::uint32_t flags);
InternetHandle internet_connect(InternetHandle root, const char* host, std::uint16_t port,
                                const char* user, const char* password, std::uint32_t service,
                                std::uint32_t flags, std::uintptr_t context);
InternetHandle http_open_request(InternetHandle connection, const char* verb, const char* object,
                                 const char* version, const char* referrer,
                                 const char** accept_types, std::uint32_t flags,
                                 std::uintptr_t context);
bool internet_set_option(InternetHandle handle, std::uint32_t option, const void* buffer,
                         std::uint32_t length);
// Sends the request and waits for the response's header block.
bool http_send_request(InternetHandle request, const char* headers, std::uint32_t headers_length,
                       const void* body, std::uint32_t body_length);
// Delivers the next body bytes; a count of 0 means the body is over (or failed).
bool internet_read_file(InternetHandle request, void* buffer, std::uint32_t to_read,
                        std::uint32_t* read);
bool http_query_info(InternetHandle request, std::uint32_t info_level, void* buffer,
                     std::uint32_t* length, std::uint32_t* index);
// The error code of the calling thread's last failed call.
std::uint32_t internet_last_error();
bool internet_close_handle(InternetHandle handle);
