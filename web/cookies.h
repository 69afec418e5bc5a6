// Cookie texts ("name=value; name=value") and the list helpers their merging uses.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/values.h"

// The new cookies, then the old ones whose names the new text lacks; pieces ending in
// "=deleted" and exact repeats dropped. The result is also left in `old_cookies`.
Text merge_cookies(Text& old_cookies, std::string_view new_cookies);
// The trimmed text before the first "=", or the whole trimmed piece.
Text cookie_name(std::string_view piece);
bool has_cookie_named(const TextList& pieces, std::string_view name);
// The pieces (split at `delimiter`, or the characters) with later repeats dropped.
Text remove_duplicate_pieces(std::string_view text, std::string_view delimiter,
                             bool split_at_delimiter);
// Fills `pieces` with the characters of `text` (a CR LF pair counts as one) and gives their count.
std::int32_t split_characters(std::string_view text, TextList& pieces);
// The 1-based index of the first item equal to `text`, or -1.
std::int32_t index_in_list(const TextList& list, std::string_view text);
