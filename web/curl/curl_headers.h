// Header lines as WinINet handles them, for the libcurl stand-in: the caller's header text
// parsed into lines, and the response's header block rebuilt in CR LF form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct HeaderLine {
    std::string name;
    std::string value;
};
using HeaderLines = std::vector<HeaderLine>;

// Lines split at CR or LF; lines without a name before ":" dropped; name and value trimmed;
// a name given again (any letter case) drops the earlier line and goes to the end.
HeaderLines parse_request_headers(std::string_view text);
// ASCII letters compared without regard to case.
bool same_ignoring_case(std::string_view a, std::string_view b);
bool has_header(const HeaderLines& lines, std::string_view name);
void remove_header(HeaderLines& lines, std::string_view name);
// "Name: value"; an empty value in libcurl's "Name;" form, which sends the line empty.
std::string curl_header_line(const HeaderLine& line);

// The header block of one response as it arrives line by line: 1xx blocks are skipped,
// the final block ends at its empty line, and trailers after it are ignored.
struct ResponseHead {
    std::string block;
    int status = 0;
    std::string location;
    bool complete = false;
};
void add_response_line(ResponseHead& head, std::string_view raw_line);
// The block WinINet gives for an answer without a status line (HTTP/0.9).
void set_status_line_only(ResponseHead& head);
