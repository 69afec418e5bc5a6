#include "web/cookies.h"

#include "base/editing.h"

namespace {

constexpr std::string_view kCookieSeparator = "; ";
constexpr std::string_view kDeletedSuffix = "=deleted";

// Trimmed; a final ";" becomes a final "; ", which splitting then drops.
Text tidy_cookie_text(std::string_view cookies) {
    Text tidy = trim_spaces(cookies);
    if (right_of(tidy, 1) == ";") tidy += ' ';
    return tidy;
}

}  // namespace

Text merge_cookies(Text& old_cookies, std::string_view new_cookies) {
    const TextList old_pieces = split_by(tidy_cookie_text(old_cookies), kCookieSeparator);
    TextList pieces = split_by(tidy_cookie_text(new_cookies), kCookieSeparator);
    for (std::int32_t i = 1; i <= list_count(old_pieces); ++i) {
        const Text& piece = item_at(old_pieces, i);
        if (!has_cookie_named(pieces, cookie_name(piece))) list_append(pieces, piece);
    }
    Text merged;
    for (std::int32_t i = 1; i <= list_count(pieces); ++i) {
        const Text& piece = item_at(pieces, i);
        if (right_of(piece, 8) == kDeletedSuffix) continue;
        merged += piece;
        merged += kCookieSeparator;
    }
    merged = remove_duplicate_pieces(left_of(merged, length_of(merged) - 2), kCookieSeparator, true);
    old_cookies = merged;
    return merged;
}

Text cookie_name(std::string_view piece) {
    const std::int32_t equals = find_from(piece, "=", 1, false);
    if (equals == -1) return trim_spaces(piece);
    return trim_spaces(left_of(piece, equals - 1));
}

bool has_cookie_named(const TextList& pieces, std::string_view name) {
    for (std::int32_t i = 1; i <= list_count(pieces); ++i) {
        if (compare_texts(cookie_name(item_at(pieces, i)), name) == 0) return true;
    }
    return false;
}

Text remove_duplicate_pieces(std::string_view text, std::string_view delimiter,
                             bool split_at_delimiter) {
    TextList pieces;
    if (split_at_delimiter) {
        pieces = split_by(text, delimiter);
    } else {
        split_characters(text, pieces);
    }
    TextList seen;
    Text result;
    for (std::int32_t i = 1; i <= list_count(pieces); ++i) {
        const Text& piece = item_at(pieces, i);
        if (index_in_list(seen, piece) != -1) continue;
        list_append(seen, piece);
        result += piece;
        result += delimiter;
    }
    return left_of(result, length_of(result) - length_of(delimiter));
}

std::int32_t split_characters(std::string_view text, TextList& pieces) {
    pieces.clear();
    const std::size_t size = text.size();
    std::size_t at = 0;
    while (at < size) {
        const auto byte = static_cast<unsigned char>(text[at]);
        std::size_t width = 1;
        if (at + 1 < size && (byte >= 0x81 || (byte == '\r' && text[at + 1] == '\n'))) width = 2;
        list_append(pieces, text.substr(at, width));
        at += width;
    }
    return list_count(pieces);
}

std::int32_t index_in_list(const TextList& list, std::string_view text) {
    for (std::int32_t i = 1; i <= list_count(list); ++i) {
        if (compare_texts(item_at(list, i), text) == 0) return i;
    }
    return -1;
}
