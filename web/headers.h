// Header text routines: capitalised header names and pieces cut out of a text by markers.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/values.h"

// Every name (text before the first ":") capitalised per "-"-separated word; lines
// without ":" dropped; lines joined by CR LF.
Text normalize_header_names(std::string_view headers);
// The first byte upper-cased when it is a..z.
Text capitalize_first(std::string_view text);
// The text between the first `left` at or after `start` and the first `right` after it.
// "#引号" in either marker stands for a double quote.
Text text_between(std::string_view text, std::string_view left, std::string_view right,
                  std::int32_t start = 0, bool ignore_case = false);
// The trimmed text after the first ":", or the empty Text.
Text text_after_colon(std::string_view text);
// The text before `marker`: searched forward from `start` (0 or more), or backward when
// `start` is negative; the empty Text when the marker does not occur.
Text text_before(std::string_view text, std::string_view marker, std::int32_t start = 0,
                 bool ignore_case = false);
