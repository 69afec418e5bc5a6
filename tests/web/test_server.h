// The local test server as the web tests see it: its ports, the URL of a scripted behaviour,
// and the raw requests it recorded for a case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TestServer {
    int http_port = 0;
    int https_port = 0;
    std::string folder;
};

// Read once from the folder named by VASTREL_WEB_SERVER (written by server.py start).
const TestServer& test_server();
// A tag unique to this run of the test program, so recordings of earlier runs never mix in.
std::string case_tag(std::string_view name);
// scheme://127.0.0.1:port/t/TAG/BEHAVIOUR
std::string server_url(std::string_view scheme, std::string_view tag, std::string_view behaviour);
int server_port(std::string_view scheme);
// The requests recorded under `tag`, byte for byte, in arrival order.
std::vector<std::string> recorded_requests(std::string_view tag);

// True when the Windows build runs under Wine rather than on Windows.
bool under_wine();
