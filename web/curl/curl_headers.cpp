#include "web/curl/curl_headers.h"

#include <algorithm>

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char ascii_lower_char(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

std::string_view without_line_end(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

int status_of(std::string_view status_line) {
    const auto space = status_line.find(' ');
    if (space == std::string_view::npos) return 0;
    int status = 0;
    for (std::size_t i = space + 1; i < status_line.size() && i < space + 4; ++i) {
        const char digit = status_line[i];
        if (digit < '0' || digit > '9') return 0;
        status = status * 10 + (digit - '0');
    }
    return status;
}

}  // namespace

bool same_ignoring_case(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return ascii_lower_char(x) == ascii_lower_char(y); });
}

HeaderLines parse_request_headers(std::string_view text) {
    HeaderLines lines;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view name = trimmed(line.substr(0, colon));
        if (name.empty()) continue;
        remove_header(lines, name);
        lines.push_back({std::string(name), std::string(trimmed(line.substr(colon + 1)))});
    }
    return lines;
}

bool has_header(const HeaderLines& lines, std::string_view name) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const HeaderLine& l) { return same_ignoring_case(l.name, name); });
}

void remove_header(HeaderLines& lines, std::string_view name) {
    std::erase_if(lines, [&](const HeaderLine& l) { return same_ignoring_case(l.name, name); });
}

std::string curl_header_line(const HeaderLine& line) {
    if (line.value.empty()) return line.name + ";";
    return line.name + ": " + line.value;
}

void add_response_line(ResponseHead& head, std::string_view raw_line) {
    if (head.complete) return;
    const std::string_view line = without_line_end(raw_line);
    if (line.starts_with("HTTP/")) {
        head.block.assign(line);
        head.block += "\r\n";
        head.status = status_of(line);
        head.location.clear();
        return;
    }
    if (line.empty()) {
        if (head.status >= 100 && head.status < 200) {
            head.block.clear();
            head.status = 0;
            return;
        }
        head.block += "\r\n";
        head.complete = true;
        return;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
        head.block.append(trimmed(line));
    } else {
        const std::string_view name = trimmed(line.substr(0, colon));
        const std::string_view value = trimmed(line.substr(colon + 1));
        head.block.append(name);
        head.block += ": ";
        head.block.append(value);
        if (same_ignoring_case(name, "Location")) head.location = value;
    }
    head.block += "\r\n";
}

void set_status_line_only(ResponseHead& head) {
    head.block = "HTTP/1.0 200 OK\r\n\r\n";
    head.status = 200;
    head.complete = true;
}
