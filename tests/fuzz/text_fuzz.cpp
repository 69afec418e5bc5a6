// Feeds arbitrary texts, parts and positions to the searching and editing operations and
// checks what a reader of their results can see: found parts are where they are said to
// be, limits hold, and the operations agree with one another.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "base/editing.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

char ascii_folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

bool same_bytes(std::string_view a, std::string_view b, bool ignore_case) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ignore_case ? ascii_folded(a[i]) != ascii_folded(b[i]) : a[i] != b[i]) return false;
    }
    return true;
}

bool ends_in_high_byte(std::string_view text) {
    return !text.empty() && static_cast<unsigned char>(text.back()) >= 0x80;
}

std::optional<std::int32_t> maybe_position(FuzzedDataProvider& data) {
    if (!data.ConsumeBool()) return std::nullopt;
    return data.ConsumeBool() ? data.ConsumeIntegral<std::int32_t>()
                              : data.ConsumeIntegralInRange<std::int32_t>(-2, 40);
}

void check_find_from(std::string_view text, std::string_view part,
                     std::optional<std::int32_t> start, bool ignore_case) {
    const std::int32_t found = find_from(text, part, start, ignore_case);
    const std::int64_t first = std::max<std::int64_t>(start.value_or(1), 1);
    if (part.empty()) {
        require(found == (first <= static_cast<std::int64_t>(text.size()) ? 1 : -1));
        return;
    }
    if (found == -1) return;
    require(found >= first &&
            found - 1 + static_cast<std::int64_t>(part.size()) <= static_cast<std::int64_t>(text.size()));
    require(same_bytes(text.substr(found - 1, part.size()), part, ignore_case));
    // An exact match is also a match without regard to case, at the same candidate or before.
    if (!ignore_case) {
        const std::int32_t folded = find_from(text, part, start, true);
        require(folded != -1 && folded <= found);
    }
}

void check_find_last(std::string_view text, std::string_view part,
                     std::optional<std::int32_t> end, bool ignore_case) {
    const std::int32_t found = find_last(text, part, end, ignore_case);
    const std::int64_t region = end ? std::clamp<std::int64_t>(std::int64_t{*end} - 1, 0,
                                                               static_cast<std::int64_t>(text.size()))
                                    : static_cast<std::int64_t>(text.size());
    if (part.empty()) {
        require(found == (region > 0 ? 1 : -1));
        return;
    }
    if (found != -1) {
        require(found >= 1 && found - 1 + static_cast<std::int64_t>(part.size()) <= region);
        require(same_bytes(text.substr(found - 1, part.size()), part, ignore_case));
    }
    // Over the whole text both searches see the same candidates.
    const std::int32_t anywhere_last = find_last(text, part, std::nullopt, ignore_case);
    const std::int32_t anywhere_first = find_from(text, part, std::nullopt, ignore_case);
    require((anywhere_last == -1) == (anywhere_first == -1));
    require(anywhere_last >= anywhere_first);
    require(found <= anywhere_last);
}

void check_substitute(std::string_view text, std::string_view part,
                      std::string_view replacement, std::optional<std::int32_t> start,
                      bool case_sensitive) {
    require(substitute(text, part, replacement, start, 0, case_sensitive) == text);
    if (part.empty()) return;
    // Replacing every occurrence by itself changes nothing but a dangling last byte.
    const Text same = substitute(text, part, part, start, std::nullopt, true);
    require(same == text || (ends_in_high_byte(text) && same == text.substr(0, text.size() - 1)));
    // The occurrences replaced are the ones successive searches find, without overlap.
    std::int64_t occurrences = 0;
    for (std::int64_t at = find_from(text, part, start, !case_sensitive); at != -1;) {
        ++occurrences;
        const std::int64_t next = at + static_cast<std::int64_t>(part.size());
        if (next > static_cast<std::int64_t>(text.size())) break;
        at = find_from(text, part, static_cast<std::int32_t>(next), !case_sensitive);
    }
    const Text replaced = substitute(text, part, replacement, start, std::nullopt, case_sensitive);
    const std::int64_t expected = static_cast<std::int64_t>(text.size()) +
                                  occurrences * (static_cast<std::int64_t>(replacement.size()) -
                                                 static_cast<std::int64_t>(part.size()));
    const auto length = static_cast<std::int64_t>(replaced.size());
    require(length == expected || (ends_in_high_byte(text) && length == expected - 1));
}

Text joined(const TextList& items, std::string_view delimiter) {
    Text text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text.append(delimiter);
        text.append(items[i]);
    }
    return text;
}

void check_split(std::string_view text, std::string_view delimiter,
                 std::optional<std::int32_t> maximum) {
    const TextList all = split_by(text, delimiter);
    const Text rejoined = joined(all, delimiter);
    if (text.empty()) {
        require(all.empty());
    } else if (delimiter.empty()) {
        require(all.size() == 1 && all[0] == text);
    } else {
        // Only a delimiter closing the text leaves no last item behind it.
        require(rejoined == text || concat(rejoined, delimiter) == text);
    }
    const TextList limited = split_by(text, delimiter, maximum);
    if (!maximum) return;
    const std::size_t kept = *maximum <= 0 ? 0 : std::min<std::size_t>(all.size(), *maximum);
    require(limited.size() == kept);
    for (std::size_t i = 0; i < kept; ++i) require(limited[i] == all[i]);
}

void check_trim(std::string_view text) {
    const Text trimmed = trim_spaces(text);
    require(text.find(trimmed) != std::string_view::npos);
    require(trimmed.empty() || trimmed[0] != ' ');
    require(trimmed.size() < 2 || trimmed.compare(0, 2, "\xA1\xA1") != 0);
    // Without two-byte characters only the one-byte spaces at both ends go.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        const std::size_t first = text.find_first_not_of(' ');
        const std::string_view expected =
            first == std::string_view::npos ? std::string_view()
                                            : text.substr(first, text.find_last_not_of(' ') - first + 1);
        require(trimmed == expected);
    }
}

void check_case(std::string_view text) {
    const Text upper = ascii_upper(text);
    const Text lower = ascii_lower(text);
    require(upper.size() == text.size() && lower.size() == text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            // Both bytes of a two-byte character stay as they are.
            const std::size_t width = i + 1 < text.size() ? 2 : 1;
            require(upper.compare(i, width, text, i, width) == 0);
            require(lower.compare(i, width, text, i, width) == 0);
            i += width - 1;
            continue;
        }
        require(ascii_folded(upper[i]) == ascii_folded(text[i]) && !(upper[i] >= 'a' && upper[i] <= 'z'));
        require(lower[i] == ascii_folded(text[i]));
    }
}

void check_integer(std::string_view text, std::int32_t number) {
    // Whatever follows the digits is ignored.
    require(integer_of(text) == integer_of(concat(text, "x")));
    require(integer_of(std::to_string(number)) == number);
    Text full_width = number < 0 ? "\xA3\xAD" : "";
    for (const char digit : std::to_string(number)) {
        if (digit == '-') continue;
        full_width += '\xA3';
        full_width += static_cast<char>(0xB0 + (digit - '0'));
    }
    require(integer_of(full_width) == number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const bool ignore_case = data.ConsumeBool();
    const auto limit = maybe_position(data);
    const auto number = data.ConsumeIntegral<std::int32_t>();
    const std::string part = data.ConsumeRandomLengthString(8);
    const std::string replacement = data.ConsumeRandomLengthString(8);
    const std::string text = data.ConsumeRemainingBytesAsString();

    check_find_from(text, part, limit, ignore_case);
    check_find_last(text, part, limit, ignore_case);
    check_substitute(text, part, replacement, limit, !ignore_case);
    check_split(text, part, limit);
    check_trim(text);
    check_case(text);
    check_integer(text, number);
    return 0;
}
