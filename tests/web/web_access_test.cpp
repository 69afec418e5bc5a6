// web_access against the local test server: the requests it sends, byte for byte, and what it
// makes of ordinary and hostile responses. The same cases run natively (libcurl stand-in) and,
// cross-built, under Wine (WinINet); the few places where Wine's WinINet is known to differ
// from Windows say so.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/web/test_server.h"
#include "web/internet_testing.h"
#include "web/web_access.h"

namespace {

constexpr std::int32_t kTestTimeoutMilliseconds = 2000;
// A name that never resolves, for the proxy cases: the proxy alone can answer for it.
constexpr std::string_view kProxiedHost = "vastrel.invalid";

std::string text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string host_line(std::string_view scheme) {
    return "Host: 127.0.0.1:" + std::to_string(server_port(scheme));
}

std::string agent_line() { return "User-Agent: " + std::string(kDefaultUserAgent); }

// The header lines that the defaults complete, in their order.
std::vector<std::string> default_lines(const std::string& url) {
    return {"Accept: */*", "Referer: " + url, "Accept-Language: zh-cn"};
}

// A request as it goes out: request line, header lines each ended by CR LF, an empty line, body.
std::string request(const std::string& request_line, const std::vector<std::string>& lines,
                    std::string_view body = {}) {
    std::string bytes = request_line + "\r\n";
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes + "\r\n" + std::string(body);
}

std::vector<std::string> joined(std::vector<std::string> first, const std::vector<std::string>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

// The path of a server URL: everything from the first "/" after the host.
std::string target_of(const std::string& url) { return url.substr(url.find('/', url.find("//") + 2)); }

class WebAccess : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_NE(test_server().http_port, 0) << "test server not running (VASTREL_WEB_SERVER)";
        shorten_internet_timeouts_for_tests(kTestTimeoutMilliseconds);
    }
};

TEST_F(WebAccess, SendsTheRequestByteForByte) {
    struct Case {
        const char* name;
        const char* scheme;
        const char* behaviour;
        std::function<Bytes(const std::string& url)> call;
        // The lines after Host, and the body, for a given URL.
        std::function<std::string(const std::string& url, const std::string& host)> expected;
    };
    const auto get = [](const std::string& url, std::vector<std::string> lines) {
        return request("GET " + target_of(url) + " HTTP/1.1", lines);
    };
    const std::vector<Case> cases = {
        {"url alone over https", "https", "ok", [](auto& url) { return web_access(url); },
         [&](auto& url, auto& host) { return get(url, joined({host, agent_line()}, default_lines(url))); }},
        {"url alone over http", "http", "ok", [](auto& url) { return web_access(url); },
         [&](auto& url, auto& host) { return get(url, joined({host, agent_line()}, default_lines(url))); }},
        {"post text", "http", "ok", [](auto& url) { return web_access(url, 1, "a=1"); },
         [](auto& url, auto& host) {
             return request("POST " + target_of(url) + " HTTP/1.1",
                            joined(joined({host, "Content-Length: 3", agent_line()}, default_lines(url)),
                                   {"Content-Type: application/x-www-form-urlencoded"}),
                            "a=1");
         }},
        {"post bytes before post text", "http", "ok",
         [](auto& url) {
             return web_access(url, 1, "a=1", std::nullopt, nullptr, {}, nullptr, false,
                               Bytes{'x', 0, 'y', 'z'});
         },
         [](auto& url, auto& host) {
             return request("POST " + target_of(url) + " HTTP/1.1",
                            joined(joined({host, "Content-Length: 4", agent_line()}, default_lines(url)),
                                   {"Content-Type: application/x-www-form-urlencoded"}),
                            std::string("x\0yz", 4));
         }},
        {"method 9 is a get without body", "http", "ok", [](auto& url) { return web_access(url, 9, "a=1"); },
         [&](auto& url, auto& host) { return get(url, joined({host, agent_line()}, default_lines(url))); }},
        {"method -1 is a get without body", "http", "ok", [](auto& url) { return web_access(url, -1, "a=1"); },
         [&](auto& url, auto& host) { return get(url, joined({host, agent_line()}, default_lines(url))); }},
        {"put without body", "http", "ok", [](auto& url) { return web_access(url, 3); },
         [](auto& url, auto& host) {
             return request("PUT " + target_of(url) + " HTTP/1.1",
                            joined({host, "Content-Length: 0", agent_line()}, default_lines(url)));
         }},
        {"head", "http", "head-length", [](auto& url) { return web_access(url, 2); },
         [](auto& url, auto& host) {
             return request("HEAD " + target_of(url) + " HTTP/1.1",
                            joined({host, "Content-Length: 0", agent_line()}, default_lines(url)));
         }},
        {"head with a body", "http", "head-length", [](auto& url) { return web_access(url, 2, "abc"); },
         [](auto& url, auto& host) {
             return request("HEAD " + target_of(url) + " HTTP/1.1",
                            joined({host, "Content-Length: 3", agent_line()}, default_lines(url)), "abc");
         }},
        {"user-agent named in lower case", "http", "ok",
         [](auto& url) { return web_access(url, 0, {}, std::nullopt, nullptr, "user-agent: V"); },
         [&](auto& url, auto& host) { return get(url, joined({host, "User-Agent: V"}, default_lines(url))); }},
        {"user-agent with names left alone", "http", "ok",
         [](auto& url) {
             return web_access(url, 0, {}, std::nullopt, nullptr, "user-agent: V", nullptr, false, {}, {},
                               true, true, false);
         },
         [&](auto& url, auto& host) { return get(url, joined({host, "user-agent: V"}, default_lines(url))); }},
        {"cookies supplied empty", "http", "ok",
         [](auto& url) { return web_access(url, 0, {}, std::string_view()); },
         [&](auto& url, auto& host) { return get(url, joined({host, agent_line()}, default_lines(url))); }},
        {"cookie pairs", "http", "ok", [](auto& url) { return web_access(url, 0, {}, "k=v; k2=v2"); },
         [&](auto& url, auto& host) {
             return get(url, joined(joined({host, agent_line()}, default_lines(url)), {"Cookie: k=v; k2=v2"}));
         }},
        {"cookie line", "http", "ok", [](auto& url) { return web_access(url, 0, {}, "Cookie: k=v"); },
         [&](auto& url, auto& host) {
             return get(url, joined(joined({host, agent_line()}, default_lines(url)), {"Cookie: k=v"}));
         }},
        {"accept and referer given", "http", "ok",
         [](auto& url) {
             return web_access(url, 0, {}, std::nullopt, nullptr, "accept: text/html\r\nReferer: http://r/");
         },
         [&](auto& url, auto& host) {
             return get(url, {host, agent_line(), "Accept: text/html", "Referer: http://r/",
                              "Accept-Language: zh-cn"});
         }},
        {"completion off", "http", "ok",
         [](auto& url) {
             return web_access(url, 0, {}, std::nullopt, nullptr, {}, nullptr, false, {}, {}, true, false);
         },
         [&](auto& url, auto& host) { return get(url, {host, agent_line()}); }},
        {"completion off, cookies still sent", "http", "ok",
         [](auto& url) {
             return web_access(url, 0, {}, "k=v", nullptr, {}, nullptr, false, {}, {}, true, false);
         },
         [&](auto& url, auto& host) { return get(url, {host, agent_line(), "Cookie: k=v"}); }},
        {"header lines parsed: a repeat replaces at the end, blanks trimmed", "http", "ok",
         [](auto& url) {
             return web_access(url, 0, {}, std::nullopt, nullptr,
                               "Accept: a\r\nX-Tight:v\r\nAccept: b\r\nX-Spaced:   v  \r\nno colon", nullptr,
                               false, {}, {}, true, false);
         },
         [&](auto& url, auto& host) {
             return get(url, {host, agent_line(), "X-Tight: v", "Accept: b", "X-Spaced: v"});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string tag = case_tag("request-" + std::to_string(&c - cases.data()));
        const std::string url = server_url(c.scheme, tag, c.behaviour);
        const Bytes body = c.call(url);
        const auto requests = recorded_requests(tag);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0], c.expected(url, host_line(c.scheme)));
        EXPECT_EQ(text(body), std::string(c.behaviour) == "ok" ? "hello" : "");
    }
}

TEST_F(WebAccess, GoesThroughTheProxyForEitherScheme) {
    const std::string proxy = "127.0.0.1:" + std::to_string(server_port("http"));
    const std::string proxied_host = "Host: " + std::string(kProxiedHost);
    {
        SCOPED_TRACE("http: the absolute URL to the proxy");
        const std::string tag = case_tag("proxy-http");
        const std::string url = "http://" + std::string(kProxiedHost) + "/t/" + tag + "/ok";
        const Bytes body = web_access(url, 0, {}, std::nullopt, nullptr, {}, nullptr, false, {}, proxy);
        const auto requests = recorded_requests(tag);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0], request("GET http://" + std::string(kProxiedHost) + ":80/t/" + tag + "/ok HTTP/1.1",
                                       joined({proxied_host, agent_line()}, default_lines(url))));
        EXPECT_EQ(text(body), "hello");
    }
    {
        SCOPED_TRACE("https: a tunnel opened with CONNECT");
        const std::string tag = case_tag("proxy-https");
        const std::string url = "https://" + std::string(kProxiedHost) + "/t/" + tag + "/ok";
        const Bytes body = web_access(url, 0, {}, std::nullopt, nullptr, {}, nullptr, false, {}, proxy);
        const auto requests = recorded_requests(tag);
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0], request("CONNECT " + std::string(kProxiedHost) + ":443 HTTP/1.1",
                                       joined({proxied_host, agent_line()}, default_lines(url))));
        EXPECT_EQ(requests[1], request("GET /t/" + tag + "/ok HTTP/1.1",
                                       joined({proxied_host, agent_line()}, default_lines(url))));
        EXPECT_EQ(text(body), "hello");
    }
}

TEST_F(WebAccess, ReturnsTheCookiesTheResponseSets) {
    struct Case {
        const char* name;
        const char* behaviour;
        std::optional<std::string_view> cookies;
        bool auto_merge;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"two set-cookie lines", "cookies", std::nullopt, true, "a=1; b=2"},
        {"merged with the supplied ones", "cookies", "b=9; c=3", true, "a=1; b=2; c=3"},
        {"supplied empty", "cookies", "", true, "a=1; b=2"},
        {"merging switched off", "cookies", "z=1", false, "a=1; b=2"},
        {"none set", "ok", std::nullopt, true, ""},
        {"none set, supplied ones kept", "ok", "k=v", true, "k=v"},
        {"odd lines", "odd-cookies", std::nullopt, true, "a=1; a=1; c=3; gone=deleted; flag; spaced = 5"},
        {"odd lines merged", "odd-cookies", "", true, "a=1; c=3; flag; spaced = 5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Text cookies = "unset";
        web_access(server_url("http", case_tag("cookies") + "-" + std::to_string(&c - cases.data()), c.behaviour),
                   0, {}, c.cookies, &cookies, {}, nullptr, false, {}, {}, c.auto_merge);
        EXPECT_EQ(cookies, c.expected);
    }
}

TEST_F(WebAccess, SuppliedCookiesKeepThePlatformCookieStoreOut) {
    // One URL throughout: Wine's store sends a cookie set without a path back to that URL alone.
    const std::string tag = case_tag("cookie-store");
    const std::string url = server_url("http", tag, "cookies");
    web_access(url);
    web_access(url, 0, {}, std::string_view());
    web_access(url);
    const auto requests = recorded_requests(tag);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].find("Cookie"), std::string::npos) << requests[1];
    // WinINet's store sends back what the first response set; the stand-in keeps no store.
    const bool store_sent = requests[2].find("\r\nCookie: a=1; b=2\r\n") != std::string::npos;
    EXPECT_EQ(store_sent, under_wine()) << requests[2];
}

TEST_F(WebAccess, ReturnsTheRawHeaderBlockOfTheFinalResponse) {
    Text headers;
    web_access(server_url("http", case_tag("raw-headers"), "cookies"), 0, {}, std::nullopt, nullptr, {}, &headers);
    EXPECT_EQ(headers, "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; HttpOnly\r\nSet-Cookie: b=2\r\nContent-Length: 2\r\n\r\n");
}

TEST_F(WebAccess, ReturnsAHeaderBlockOver5000BytesWholeWithItsCookies) {
    Text headers;
    Text cookies;
    const Bytes body = web_access(server_url("http", case_tag("big-headers"), "big-headers"), 0, {}, std::nullopt,
                                  &cookies, {}, &headers);
    EXPECT_GT(headers.size(), 5000u);
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 200 OK\r\nX-Filler-00: "));
    EXPECT_TRUE(headers.ends_with("\r\nSet-Cookie: last=2\r\nContent-Length: 3\r\n\r\n"));
    EXPECT_NE(headers.find("X-Filler-29: " + std::string(200, 'f') + "\r\n"), std::string::npos);
    EXPECT_EQ(cookies, "big=1; last=2");
    EXPECT_EQ(text(body), "big");
}

TEST_F(WebAccess, ReturnsEveryBodyByte) {
    struct Case {
        const char* name;
        const char* behaviour;
        std::int32_t method;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"nul bytes", "nul-body", 0, std::string("\0a\0\0b\0", 6)},
        {"chunked with trailer and nul bytes", "chunked", 0, std::string("ab\0\0cdefg", 9)},
        {"ended by the connection closing", "close-delimited", 0, [] {
             std::string body;
             for (int i = 0; i < 300; ++i) body += "until close";
             return body;
         }()},
        {"length promised, connection dropped", "drop-length", 0, std::string(100, 'd')},
        {"chunked, connection dropped", "drop-chunked", 0, std::string(100, 'c')},
        {"after three 100 continue", "continue?n=3", 0, "after continue"},
        {"gzip sent unasked stays compressed", "gzip", 0,
         std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03\xcbH\xcd\xc9\xc9\x07\x00\x86\xa6\x10\x36\x05\x00\x00\x00", 25)},
        {"error status with a body", "status?code=404", 0, "status 404"},
        {"204 with stray body headers", "no-content", 0, ""},
        {"304 with stray body headers", "not-modified", 0, ""},
        {"head answered with a length", "head-length", 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Text headers;
        const Bytes body = web_access(server_url("http", case_tag("body") + "-" + std::to_string(&c - cases.data()),
                                                 c.behaviour),
                                      c.method, {}, std::nullopt, nullptr, {}, &headers);
        EXPECT_EQ(text(body), c.expected);
        EXPECT_TRUE(headers.starts_with("HTTP/1.1 ")) << headers;
        EXPECT_EQ(headers.find("X-Trailer: t"), std::string::npos) << "trailers are not headers";
        EXPECT_EQ(headers.find("100 Continue"), std::string::npos) << "interim responses are not headers";
    }
}

TEST_F(WebAccess, FollowsARedirectChainToTheFinalResponse) {
    const std::string tag = case_tag("chain");
    Text headers;
    const Bytes body = web_access(server_url("http", tag, "chain?n=3"), 0, {}, std::nullopt, nullptr, {}, &headers);
    EXPECT_EQ(text(body), "end of chain");
    EXPECT_EQ(headers, "HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n");
    const auto requests = recorded_requests(tag);
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_TRUE(requests[3].starts_with("GET /t/" + tag + "/chain?n=0 HTTP/1.1\r\n"));
}

TEST_F(WebAccess, WithoutRedirectsReturnsTheRedirectItself) {
    const std::string tag = case_tag("no-redirect");
    Text headers;
    Text cookies;
    const Bytes body = web_access(server_url("http", tag, "redirect?code=302"), 0, {}, std::nullopt, &cookies, {},
                                  &headers, true);
    EXPECT_EQ(text(body), "moved");
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 302 Moved\r\nLocation: http://127.0.0.1:")) << headers;
    EXPECT_EQ(cookies, "hop=1");
    EXPECT_EQ(recorded_requests(tag).size(), 1u);
}

TEST_F(WebAccess, FollowsRedirectsBetweenHttpAndHttps) {
    for (const auto& [from, to] : {std::pair{"http", "https"}, std::pair{"https", "http"}}) {
        SCOPED_TRACE(std::string(from) + " to " + to);
        const std::string tag = case_tag(std::string(from) + "-to-" + to);
        Text headers;
        const Bytes body = web_access(server_url(from, tag, std::string("redirect?scheme=") + to), 0, {},
                                      std::nullopt, nullptr, {}, &headers);
        EXPECT_EQ(text(body), "hello");
        EXPECT_TRUE(headers.starts_with("HTTP/1.1 200 OK\r\n"));
        const auto requests = recorded_requests(tag);
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_NE(requests[1].find(host_line(to) + "\r\n"), std::string::npos) << requests[1];
    }
}

TEST_F(WebAccess, RedirectedPostBecomesGetExceptOn307) {
    struct Case {
        int code;
        const char* verb;
    };
    for (const Case c : {Case{301, "GET"}, Case{302, "GET"}, Case{303, "GET"}, Case{307, "POST"}}) {
        SCOPED_TRACE(c.code);
        const std::string tag = case_tag("post-" + std::to_string(c.code));
        web_access(server_url("http", tag, "redirect?next=echo&code=" + std::to_string(c.code)), 1, "a=1");
        const auto requests = recorded_requests(tag);
        ASSERT_EQ(requests.size(), 2u);
        const std::string& hop = requests[1];
        EXPECT_TRUE(hop.starts_with(std::string(c.verb) + " /t/" + tag + "/echo HTTP/1.1\r\n")) << hop;
        EXPECT_NE(hop.find("\r\nReferer: "), std::string::npos) << "the header text goes along";
        EXPECT_NE(hop.find("\r\nAccept-Language: zh-cn\r\n"), std::string::npos);
        if (c.code != 307) {
            EXPECT_TRUE(hop.ends_with("\r\n\r\n")) << "no body";
            EXPECT_EQ(hop.find("Content-Length"), std::string::npos);
            EXPECT_EQ(hop.find("Content-Type"), std::string::npos);
        } else if (!under_wine()) {
            // Wine 8 repeats the verb but drops the body; Windows, like the stand-in, sends it again.
            EXPECT_TRUE(hop.ends_with("\r\n\r\na=1")) << hop;
            EXPECT_NE(hop.find("\r\nContent-Length: 3\r\n"), std::string::npos);
        }
    }
}

TEST_F(WebAccess, A308IsReturnedAsItIs) {
    const std::string tag = case_tag("308");
    Text headers;
    const Bytes body = web_access(server_url("http", tag, "redirect?code=308"), 1, "a=1", std::nullopt, nullptr,
                                  {}, &headers);
    EXPECT_EQ(text(body), "moved");
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 308 Moved\r\n")) << headers;
    EXPECT_EQ(recorded_requests(tag).size(), 1u);
}

TEST_F(WebAccess, ARedirectLoopEndsAfterFiveRedirects) {
    if (under_wine()) GTEST_SKIP() << "Wine 8's WinINet follows redirects without a limit";
    const std::string tag = case_tag("loop");
    Text headers;
    const Bytes body = web_access(server_url("http", tag, "loop"), 0, {}, std::nullopt, nullptr, {}, &headers);
    EXPECT_EQ(recorded_requests(tag).size(), 6u);
    EXPECT_EQ(text(body), "again");
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 302 Found\r\n"));
}

TEST_F(WebAccess, GivesAnEmptyResultWhenNoResponseComes) {
    struct Case {
        const char* name;
        std::string url;
        std::optional<std::string_view> cookies;
        std::string expected_cookies;
    };
    const std::vector<Case> cases = {
        {"connection refused", "http://127.0.0.1:1/x", std::nullopt, ""},
        {"unknown host", "http://" + std::string(kProxiedHost) + "/x", std::nullopt, ""},
        {"closed without an answer", server_url("http", case_tag("no-answer"), "no-answer"), std::nullopt, ""},
        {"accepted and never answered", server_url("http", case_tag("stall"), "stall"), std::nullopt, ""},
        {"supplied cookies come back", "http://127.0.0.1:1/x", "k=v", "k=v"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Text headers = "unset";
        Text cookies = "unset";
        const Bytes body = web_access(c.url, 0, {}, c.cookies, &cookies, {}, &headers);
        EXPECT_TRUE(body.empty());
        EXPECT_EQ(headers, "");
        EXPECT_EQ(cookies, c.expected_cookies);
    }
}

TEST_F(WebAccess, LeavesTheOutParametersAloneWhenNoConnectionCanBeMade) {
    Text headers = "unset";
    Text cookies = "unset";
    const Bytes body = web_access("http:///x", 0, {}, std::nullopt, &cookies, {}, &headers);
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(headers, "unset");
    EXPECT_EQ(cookies, "unset");
}

TEST_F(WebAccess, AnswerWithoutStatusLineReadsAsHttp10) {
    if (under_wine()) GTEST_SKIP() << "Wine 8's WinINet returns nothing for a response without a status line";
    Text headers;
    const Bytes body = web_access(server_url("http", case_tag("http09"), "http09"), 0, {}, std::nullopt, nullptr,
                                  {}, &headers);
    EXPECT_EQ(text(body), "plain body without a status line");
    EXPECT_EQ(headers, "HTTP/1.0 200 OK\r\n\r\n");
}

}  // namespace
