// Value types shared by all logic: GBK texts, byte buffers, text lists, local date-times.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A byte string in code page 936; no zero bytes. Empty and absent are the same value.
using Text = std::string;
// A counted byte buffer that may hold zero bytes.
using Bytes = std::vector<unsigned char>;
// Items indexed from 1 by item_at.
using TextList = std::vector<Text>;

struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

std::int32_t length_of(std::string_view text);
Text concat_parts(std::initializer_list<std::string_view> parts);
// The concatenation of two or more texts in the order given.
template <class... Parts>
Text concat(const Parts&... parts) {
    return concat_parts({std::string_view(parts)...});
}
// Appends to a text the caller gives up, in place: `text = concat(std::move(text), piece)`
// in a loop builds a text in time linear in its final length.
template <class... Parts>
Text concat(Text&& first, const Parts&... parts) {
    (first.append(std::string_view(parts)), ...);
    return std::move(first);
}
// -1, 0 or 1 from an unsigned byte-by-byte comparison; a proper prefix orders first.
int compare_texts(std::string_view a, std::string_view b);

// Full-width forms folded to ASCII, then read as a wrapping 32-bit decimal integer.
std::int32_t integer_of(std::string_view text);
// Truncation toward zero through int64, keeping the low 32 bits.
std::int32_t integer_of(double real);

// "%.13g" in the C locale, whatever the process locale.
Text text_of(double real);
// 2020年3月17日8时5分3秒, leaving out trailing zero parts of the time.
Text text_of(const DateTime& moment);
// The bytes up to the first zero byte.
Text text_of(const Bytes& bytes);
Bytes bytes_of(std::string_view text);

DateTime local_now();

std::int32_t list_count(const TextList& list);
// The item at a 1-based index; any other index is the fatal index error.
const Text& item_at(const TextList& list, std::int32_t index);
void list_append(TextList& list, std::string_view text);
