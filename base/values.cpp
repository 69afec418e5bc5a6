// Conversions and general operations of the value types.
#include "base/values.h"

#include <charconv>
#include <ctime>

#include "base/fatal.h"
#include "base/numbers.h"

namespace {

// Full-width forms as the one-byte characters they stand for; 0 keeps the character.
char folded_full_width(unsigned char lead, unsigned char trail) {
    if (lead == 0xA1) {
        if (trail == 0xA1) return ' ';
        if (trail == 0xAB) return '~';
        if (trail == 0xEE || trail == 0xEF) return '*';
    }
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
    return 0;
}

Text fold_full_width(std::string_view text) {
    Text folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80 || i + 1 == text.size()) {
            folded += text[i];
            continue;
        }
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (const char ascii = folded_full_width(lead, trail)) {
            folded += ascii;
        } else {
            folded.append(text.substr(i, 2));
        }
        ++i;
    }
    return folded;
}

bool is_c_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void append_decimal(Text& out, int value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

bool date_before(const DateTime& a, int year, int month, int day) {
    if (a.year != year) return a.year < year;
    if (a.month != month) return a.month < month;
    return a.day < day;
}

bool date_after(const DateTime& a, int year, int month, int day) {
    if (a.year != year) return a.year > year;
    if (a.month != month) return a.month > month;
    return a.day > day;
}

// Dates outside 100-01-01..9999-12-31 become midnight of the nearer bound.
DateTime clamped(const DateTime& moment) {
    if (date_before(moment, 100, 1, 1)) return DateTime{100, 1, 1, 0, 0, 0};
    if (date_after(moment, 9999, 12, 31)) return DateTime{9999, 12, 31, 0, 0, 0};
    return moment;
}

}  // namespace

std::int32_t length_of(std::string_view text) { return static_cast<std::int32_t>(text.size()); }

Text concat_parts(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (const auto part : parts) total += part.size();
    Text joined;
    joined.reserve(total);
    for (const auto part : parts) joined.append(part);
    return joined;
}

int compare_texts(std::string_view a, std::string_view b) {
    // char_traits<char> orders bytes as unsigned char.
    const int order = a.compare(b);
    return (order > 0) - (order < 0);
}

std::int32_t integer_of(std::string_view text) {
    const Text folded = fold_full_width(text);
    std::size_t i = 0;
    while (i < folded.size() && is_c_space(folded[i])) ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
        negative = folded[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;  // wraps around like the 32-bit accumulation it stands for
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::int32_t integer_of(double real) { return truncate_to_int32(real); }

Text text_of(double real) {
    // to_chars with a precision is "%.13g" in the C locale, and never reads the process locale.
    char digits[32];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, real, std::chars_format::general, 13).ptr;
    return Text(digits, end);
}

Text text_of(const DateTime& moment) {
    const DateTime m = clamped(moment);
    Text text;
    append_decimal(text, m.year);
    text += "年";
    append_decimal(text, m.month);
    text += "月";
    append_decimal(text, m.day);
    text += "日";
    if (m.second == 0 && m.minute == 0 && m.hour == 0) return text;
    append_decimal(text, m.hour);
    text += "时";
    if (m.second == 0 && m.minute == 0) return text;
    append_decimal(text, m.minute);
    text += "分";
    if (m.second == 0) return text;
    append_decimal(text, m.second);
    text += "秒";
    return text;
}

Text text_of(const Bytes& bytes) {
    std::size_t n = 0;
    while (n < bytes.size() && bytes[n] != 0) ++n;
    return Text(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}

Bytes bytes_of(std::string_view text) { return Bytes(text.begin(), text.end()); }

DateTime local_now() {
    const std::time_t now = std::time(nullptr);
    // localtime's shared result is copied at once; only the interface thread reads the clock.
    const std::tm local = *std::localtime(&now);
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::int32_t list_count(const TextList& list) { return static_cast<std::int32_t>(list.size()); }

const Text& item_at(const TextList& list, std::int32_t index) {
    if (index < 1 || index > list_count(list)) {
        Text message = "索引越界：请求第 ";
        append_decimal(message, index);
        message += " 项，列表共有 ";
        append_decimal(message, list_count(list));
        message += " 项。";
        fatal_error(message);
    }
    return list[static_cast<std::size_t>(index - 1)];
}

void list_append(TextList& list, std::string_view text) { list.emplace_back(text); }
