#include "web/headers.h"

#include <algorithm>

#include "base/editing.h"

namespace {

constexpr std::string_view kCrLf = "\r\n";
// The marker spelling of one double-quote character.
constexpr std::string_view kQuoteMarker = "#引号";

Text capitalize_words(std::string_view name) {
    if (find_from(name, "-", 1, false) == -1) return capitalize_first(name);
    Text rebuilt;
    const TextList words = split_by(name, "-");
    for (std::int32_t i = 1; i <= list_count(words); ++i) {
        if (i > 1) rebuilt += '-';
        rebuilt += capitalize_first(item_at(words, i));
    }
    return rebuilt;
}

Text with_quotes(std::string_view marker) {
    return substitute(marker, kQuoteMarker, "\"", std::nullopt, std::nullopt, true);
}

}  // namespace

Text capitalize_first(std::string_view text) {
    return concat(ascii_upper(left_of(text, 1)), middle_of(text, 2, length_of(text)));
}

Text normalize_header_names(std::string_view headers) {
    Text result;
    const TextList lines = split_by(headers, kCrLf);
    for (std::int32_t i = 1; i <= list_count(lines); ++i) {
        const Text& line = item_at(lines, i);
        const std::int32_t colon = find_from(line, ":", 1, false);
        if (colon == -1) continue;
        const Text name = capitalize_words(left_of(line, colon - 1));
        result += name;
        result += right_of(line, length_of(line) - length_of(name));
        result += kCrLf;
    }
    return left_of(result, length_of(result) - 2);
}

Text text_between(std::string_view text, std::string_view left, std::string_view right,
                  std::int32_t start, bool ignore_case) {
    const Text left_marker = with_quotes(left);
    const Text right_marker = with_quotes(right);
    const std::int32_t found = find_from(text, left_marker, start, ignore_case);
    if (found == -1) return {};
    // The marker lies inside the text, so this is at most one past its end.
    const std::int32_t inner = found + length_of(left_marker);
    const std::int32_t end = find_from(text, right_marker, inner, ignore_case);
    if (end == -1) return {};
    return middle_of(text, inner, end - inner);
}

Text text_after_colon(std::string_view text) {
    const std::int32_t colon = find_from(text, ":", 1, false);
    if (colon == -1) return {};
    return trim_spaces(right_of(text, length_of(text) - colon));
}

Text text_before(std::string_view text, std::string_view marker, std::int32_t start,
                 bool ignore_case) {
    std::int32_t found;
    if (start >= 0) {
        found = find_from(text, marker, start, ignore_case);
    } else {
        std::int64_t back = -std::int64_t{start};
        if (back == 1) back = 0;
        const std::int64_t end = std::max<std::int64_t>(length_of(text) - back, 0);
        found = find_last(text, marker, static_cast<std::int32_t>(end), ignore_case);
    }
    if (found == -1) return {};
    return left_of(text, found - 1);
}
