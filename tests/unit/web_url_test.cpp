#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "web/url.h"

namespace {

TEST(UrlParts, HostPortAndPathOfAUrl) {
    struct Case {
        const char* name;
        std::string url, host, host_with_port;
        int port;
        std::string path;
    };
    const std::vector<Case> cases = {
        {"everything", "HTTPS://A.B.C:8443/x/y?q=1", "a.b.c", "a.b.c:8443", 8443, "/x/y?q=1"},
        {"no scheme", "a.b.c/x", "a.b.c", "a.b.c", 80, "/x"},
        {"https without path", "https://a.b.c", "a.b.c", "a.b.c", 443, "/"},
        {"upper-case https without port", "HTTPS://A.B/", "a.b", "a.b", 443, "/"},
        {"query right after host", "http://a.b.c?q=1", "a.b.c?q=1", "a.b.c?q=1", 80, "/"},
        {"path keeps its case", "http://A.B/Path?Q=1", "a.b", "a.b", 80, "/Path?Q=1"},
        {"https-like start gives 443", "httpsite.example/x", "httpsite.example", "httpsite.example", 443, "/x"},
        {"port text read as integer", "http://z:abc/x", "z", "z:abc", 0, "/x"},
        {"host named like a scheme letter", "http://h:81/x", "h", "h:81", 81, "/x"},
        {"host named like the scheme", "https://https/x", "https", "https", 443, "/x"},
        {"scheme text found anywhere", "x.com/?u=http://y", "y", "y", 80, "/"},
        {"host repeated in a later url", "a.b/x?u=https://a.b/y", "a.b", "a.b", 80, "/x?u=https://a.b/y"},
        {"empty", "", "", "", 80, "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(url_host(c.url), c.host) << c.name;
        EXPECT_EQ(url_host(c.url, false, true), c.host_with_port) << c.name;
        EXPECT_EQ(url_port(c.url), c.port) << c.name;
        EXPECT_EQ(url_path(c.url), c.path) << c.name;
    }
}

TEST(UrlHost, MainDomainInDefaultMode) {
    EXPECT_EQ(url_host("http://a.b.c.d/x", true), "c.d");
    EXPECT_EQ(url_host("http://localhost/", true), "localhost");
    EXPECT_EQ(url_host("http://a.b.c./", true), "b.c");
    EXPECT_EQ(url_host("http://a.b.c:81/", true, true), "b.c:81");
}

TEST(UrlHost, LevelModeCountsDotsFromTheEnd) {
    struct Case {
        const char* name;
        std::string url;
        bool main_domain_only;
        bool keep_port;
        int levels;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"main, one level", "http://a.b.c.d/x", true, false, 1, "c.d"},
        {"main, no level", "http://a.b.c.d/x", true, false, 0, "d"},
        {"not main, no level", "http://a.b.c.d/x", false, false, 0, "c.d"},
        {"not main, one level", "http://a.b.c.d/x", false, false, 1, "b.c.d"},
        {"main, too many levels", "http://a.b.c.d/x", true, false, 5, "a.b.c.d"},
        {"not main, too many levels", "http://a.b.c.d/x", false, false, 5, "a.b.c.d"},
        {"negative counts as none", "http://a.b.c.d/x", true, false, -3, "d"},
        {"port cut", "http://a.b.c.d:81/", false, false, 0, "c.d"},
        {"port kept", "http://a.b.c.d:81/", false, true, 0, "c.d:81"},
        {"scheme removed in any case", "HTTPS://A.B.C/", false, false, 0, "b.c"},
        {"final dot never counted", "a.b.", true, false, 0, "b."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(url_host(c.url, c.main_domain_only, c.keep_port, c.levels), c.expected) << c.name;
    }
}

TEST(UrlHost, SupplyingLevelsSwitchesModeWhateverItsValue) {
    EXPECT_EQ(url_host("a.b.c.d", true), "c.d");
    EXPECT_EQ(url_host("a.b.c.d", true, false, 0), "d");
    EXPECT_EQ(url_host("a.b.c.d", true, false, std::nullopt), "c.d");
}

}  // namespace
