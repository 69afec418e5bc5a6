// Cutting, searching, replacing, splitting, trimming and case folding of texts,
// and the few byte-buffer and integer operations the web routines are built from.
// Positions are 1-based byte positions; a search that finds nothing gives -1.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "base/values.h"

Text left_of(std::string_view text, std::int32_t n);
Text right_of(std::string_view text, std::int32_t n);
Text middle_of(std::string_view text, std::int32_t start, std::int32_t n);
std::int32_t find_from(std::string_view text, std::string_view part,
                       std::optional<std::int32_t> start, bool ignore_case);
std::int32_t find_last(std::string_view text, std::string_view part,
                       std::optional<std::int32_t> end, bool ignore_case);
Text substitute(std::string_view text, std::string_view part,
                std::string_view replacement, std::optional<std::int32_t> start,
                std::optional<std::int32_t> count, bool case_sensitive);
TextList split_by(std::string_view text, std::string_view delimiter = ",",
                  std::optional<std::int32_t> maximum_items = std::nullopt);
Text trim_spaces(std::string_view text);
Text ascii_upper(std::string_view text);
Text ascii_lower(std::string_view text);
Text spaces(std::int32_t n);

std::int32_t bytes_size(const Bytes& bytes);
Bytes bytes_left_of(const Bytes& bytes, std::int32_t n);
Bytes bytes_concat_parts(std::initializer_list<const Bytes*> parts);
// The concatenation of two or more byte buffers in the order given.
template <class... Parts>
Bytes bytes_concat(const Parts&... parts) {
    return bytes_concat_parts({&parts...});
}
Bytes zero_bytes(std::int32_t n);

std::int32_t bit_or_all(std::initializer_list<std::int32_t> values);
template <class... Values>
std::int32_t bit_or(Values... values) {
    return bit_or_all({static_cast<std::int32_t>(values)...});
}
