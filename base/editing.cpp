// Cutting, searching, replacing, splitting, trimming and case folding of GBK texts,
// and the byte-buffer and integer operations the web routines use.
#include "base/editing.h"

#include <algorithm>

namespace {

using Size = std::size_t;

bool is_lead_byte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The offset of the character start after the one at i (a dangling byte steps past the end).
Size next_character(Size i, std::string_view text) { return i + (is_lead_byte(text[i]) ? 2 : 1); }

char ascii_folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

// The part at offset i, compared exactly or with ASCII letters taken without regard to case.
bool matches_at(std::string_view text, Size i, std::string_view part, bool ignore_case) {
    if (!ignore_case) return text[i] == part[0] && text.compare(i, part.size(), part) == 0;
    for (Size k = 0; k < part.size(); ++k) {
        if (ascii_folded(text[i + k]) != ascii_folded(part[k])) return false;
    }
    return true;
}

// Offset of the first character start in [from, text end) where part matches, or npos.
// The walk takes from as a character start; part is not empty.
Size find_match(std::string_view text, Size from, std::string_view part, bool ignore_case) {
    for (Size i = from; i < text.size() && text.size() - i >= part.size();
         i = next_character(i, text)) {
        if (matches_at(text, i, part, ignore_case)) return i;
    }
    return std::string_view::npos;
}

// The byte offset of a 1-based position, positions below 1 taken as 1, cut to the length.
Size offset_of(std::int32_t position, Size length) {
    return position <= 1 ? 0 : std::min(static_cast<Size>(position) - 1, length);
}

std::int32_t position_of(Size offset) { return static_cast<std::int32_t>(offset + 1); }

bool is_space_at(std::string_view text, Size i) {
    return text[i] == ' ' ||
           (text.size() - i >= 2 && text[i] == '\xA1' && text[i + 1] == '\xA1');
}

Text folded_case(std::string_view text, char first, char last, int shift) {
    Text result(text);
    for (Size i = 0; i < result.size(); i = next_character(i, result)) {
        if (result[i] >= first && result[i] <= last) result[i] = static_cast<char>(result[i] + shift);
    }
    return result;
}

}  // namespace

Text left_of(std::string_view text, std::int32_t n) {
    return Text(text.substr(0, static_cast<Size>(std::max(n, 0))));
}

Text right_of(std::string_view text, std::int32_t n) {
    const Size count = std::min(static_cast<Size>(std::max(n, 0)), text.size());
    return Text(text.substr(text.size() - count));
}

Text middle_of(std::string_view text, std::int32_t start, std::int32_t n) {
    if (start < 1 || static_cast<Size>(start) > text.size() || n <= 0) return Text();
    return Text(text.substr(static_cast<Size>(start - 1), static_cast<Size>(n)));
}

std::int32_t find_from(std::string_view text, std::string_view part,
                       std::optional<std::int32_t> start, bool ignore_case) {
    const Size from = offset_of(start.value_or(1), text.size());
    if (from >= text.size()) return -1;
    if (part.empty()) return 1;
    const Size found = find_match(text, from, part, ignore_case);
    return found == std::string_view::npos ? -1 : position_of(found);
}

std::int32_t find_last(std::string_view text, std::string_view part,
                       std::optional<std::int32_t> end, bool ignore_case) {
    const std::string_view region =
        end ? text.substr(0, offset_of(*end, text.size())) : text;
    if (region.empty()) return -1;
    if (part.empty()) return 1;
    std::int32_t last = -1;
    for (Size i = find_match(region, 0, part, ignore_case); i != std::string_view::npos;
         i = find_match(region, next_character(i, region), part, ignore_case)) {
        last = position_of(i);
    }
    return last;
}

Text substitute(std::string_view text, std::string_view part, std::string_view replacement,
                std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                bool case_sensitive) {
    const Size from = offset_of(start.value_or(1), text.size());
    if (text.empty() || part.empty() || count == 0 || from >= text.size()) return Text(text);
    // A negative count, like an omitted one, replaces every occurrence.
    std::int32_t remaining = count.value_or(-1);
    Text result;
    result.reserve(text.size());
    Size copied = 0;  // text[copied, i) is kept and not yet appended
    Size i = from;
    while (text.size() - i >= part.size()) {
        if (matches_at(text, i, part, !case_sensitive)) {
            result.append(text.substr(copied, i - copied));
            result.append(replacement);
            i += part.size();
            copied = i;
            if (remaining > 0 && --remaining == 0) break;
        } else if (is_lead_byte(text[i]) && i + 1 == text.size()) {
            // A dangling byte passed over by the scan is dropped.
            result.append(text.substr(copied, i - copied));
            copied = ++i;
        } else {
            i = next_character(i, text);
        }
    }
    result.append(text.substr(copied));
    return result;
}

TextList split_by(std::string_view text, std::string_view delimiter,
                  std::optional<std::int32_t> maximum_items) {
    TextList items;
    if (text.empty() || (maximum_items && *maximum_items <= 0)) return items;
    if (delimiter.empty()) {
        items.emplace_back(text);
        return items;
    }
    Size item_start = 0;
    for (Size i = find_match(text, 0, delimiter, false); i != std::string_view::npos;
         i = find_match(text, item_start, delimiter, false)) {
        items.emplace_back(text.substr(item_start, i - item_start));
        item_start = i + delimiter.size();
        if (maximum_items && items.size() == static_cast<Size>(*maximum_items)) return items;
    }
    if (item_start < text.size()) items.emplace_back(text.substr(item_start));
    return items;
}

Text trim_spaces(std::string_view text) {
    Size first = 0;
    while (first < text.size() && is_space_at(text, first)) first = next_character(first, text);
    Size kept_end = first;  // end of the last character that is not a space
    Size i = first;
    while (i < text.size()) {
        if (is_lead_byte(text[i]) && i + 1 == text.size()) {
            // A dangling last byte is dropped and whatever comes before it stays.
            kept_end = i;
            break;
        }
        const Size next = next_character(i, text);
        if (!is_space_at(text, i)) kept_end = next;
        i = next;
    }
    return Text(text.substr(first, kept_end - first));
}

Text ascii_upper(std::string_view text) { return folded_case(text, 'a', 'z', -0x20); }

Text ascii_lower(std::string_view text) { return folded_case(text, 'A', 'Z', 0x20); }

Text spaces(std::int32_t n) { return Text(static_cast<Size>(std::max(n, 0)), ' '); }

std::int32_t bytes_size(const Bytes& bytes) { return static_cast<std::int32_t>(bytes.size()); }

Bytes bytes_left_of(const Bytes& bytes, std::int32_t n) {
    const Size count = std::min(static_cast<Size>(std::max(n, 0)), bytes.size());
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

Bytes bytes_concat_parts(std::initializer_list<const Bytes*> parts) {
    Size total = 0;
    for (const Bytes* part : parts) total += part ? part->size() : 0;
    Bytes joined;
    joined.reserve(total);
    for (const Bytes* part : parts) {
        if (part) joined.insert(joined.end(), part->begin(), part->end());
    }
    return joined;
}

Bytes zero_bytes(std::int32_t n) { return Bytes(static_cast<Size>(std::max(n, 0)), 0); }

std::int32_t bit_or_all(std::initializer_list<std::int32_t> values) {
    std::int32_t all = 0;
    for (const std::int32_t value : values) all |= value;
    return all;
}
