// Feeds arbitrary URLs, header texts, cookie texts and response lines to the web routines and
// the stand-in's header parsing, and checks what holds for any input: paths start with "/",
// cut pieces lie inside their text, merged cookies are also left in the old text, parsed
// request lines are clean. The sanitizers catch every read out of range.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "base/editing.h"
#include "web/cookies.h"
#include "web/curl/curl_headers.h"
#include "web/headers.h"
#include "web/url.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool inside(std::string_view text, std::string_view piece) { return text.find(piece) != std::string_view::npos; }

std::int32_t position(FuzzedDataProvider& data) {
    return data.ConsumeBool() ? data.ConsumeIntegral<std::int32_t>()
                              : data.ConsumeIntegralInRange<std::int32_t>(-6, 40);
}

void check_url(FuzzedDataProvider& data) {
    const std::string url = data.ConsumeRandomLengthString(200);
    const std::optional<std::int32_t> levels =
        data.ConsumeBool() ? std::optional<std::int32_t>(position(data)) : std::nullopt;
    const Text host = url_host(url, data.ConsumeBool(), false, levels);
    // No ":" character (a ":" byte may remain as the second byte of a double-byte character).
    require(find_from(host, ":", 1, false) == -1);
    url_host(url, data.ConsumeBool(), true, levels);
    url_port(url);
    const Text path = url_path(url);
    require(!path.empty() && path[0] == '/');
}

void check_headers(FuzzedDataProvider& data) {
    const std::string text = data.ConsumeRandomLengthString(300);
    const std::string left = data.ConsumeRandomLengthString(8);
    const std::string right = data.ConsumeRandomLengthString(8);
    const std::int32_t start = position(data);
    const bool ignore_case = data.ConsumeBool();
    require(normalize_header_names(text).size() <= text.size());
    require(capitalize_first(text).size() == text.size());
    require(inside(text, text_between(text, left, right, start, ignore_case)));
    require(inside(text, text_after_colon(text)));
    require(text.starts_with(text_before(text, left, start, ignore_case)));
}

void check_cookies(FuzzedDataProvider& data) {
    Text old_cookies = data.ConsumeRandomLengthString(200);
    const std::string new_cookies = data.ConsumeRandomLengthString(200);
    const Text merged = merge_cookies(old_cookies, new_cookies);
    require(merged == old_cookies);
    const std::string delimiter = data.ConsumeRandomLengthString(3);
    require(remove_duplicate_pieces(new_cookies, delimiter, true).size() <= new_cookies.size());
    TextList characters;
    const std::int32_t count = split_characters(new_cookies, characters);
    require(count == static_cast<std::int32_t>(characters.size()));
    std::string joined;
    for (std::int32_t i = 0; i < count; ++i) {
        joined += characters[i];
        require(index_in_list(characters, characters[i]) <= i + 1);
    }
    require(joined == new_cookies);
}

void check_stand_in_headers(FuzzedDataProvider& data) {
    for (const HeaderLine& line : parse_request_headers(data.ConsumeRandomLengthString(300))) {
        require(!line.name.empty());
        require(line.name.find_first_of("\r\n:") == std::string::npos);
        require(line.value.find_first_of("\r\n") == std::string::npos);
    }
    ResponseHead head;
    while (data.remaining_bytes() > 0 && !head.complete) {
        add_response_line(head, data.ConsumeRandomLengthString(100));
    }
    if (head.complete) require(head.block.ends_with("\r\n"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    check_url(data);
    check_headers(data);
    check_cookies(data);
    check_stand_in_headers(data);
    return 0;
}
