#include "tests/web/test_server.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

TestServer read_server() {
    TestServer server;
    const char* folder = std::getenv("VASTREL_WEB_SERVER");
    if (!folder) return server;
    server.folder = folder;
    std::ifstream ports(server.folder + "/ports");
    ports >> server.http_port >> server.https_port;
    return server;
}

std::string run_id() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

}  // namespace

const TestServer& test_server() {
    static const TestServer server = read_server();
    return server;
}

std::string case_tag(std::string_view name) {
    static const std::string run = run_id();
    return std::string(name) + "-" + run;
}

int server_port(std::string_view scheme) {
    return scheme == "https" ? test_server().https_port : test_server().http_port;
}

std::string server_url(std::string_view scheme, std::string_view tag, std::string_view behaviour) {
    std::ostringstream url;
    url << scheme << "://127.0.0.1:" << server_port(scheme) << "/t/" << tag << "/" << behaviour;
    return url.str();
}

std::vector<std::string> recorded_requests(std::string_view tag) {
    std::vector<std::string> requests;
    for (int number = 1;; ++number) {
        std::ifstream file(test_server().folder + "/record/" + std::string(tag) + "/" +
                               std::to_string(number),
                           std::ios::binary);
        if (!file) return requests;
        requests.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
}
