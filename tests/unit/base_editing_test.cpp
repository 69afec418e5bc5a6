#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

#include "base/editing.h"

namespace {

using std::nullopt;

TEST(Editing, CuttingCountsBytes) {
    struct Row { const char* name; Text result; Text expected; };
    const Row rows[] = {
        {"left 0", left_of("abc", 0), ""},
        {"left negative", left_of("abc", -1), ""},
        {"left beyond length", left_of("abc", 5), "abc"},
        {"left halves a two-byte character", left_of("\xB0\xA1" "a", 1), "\xB0"},
        {"right 2", right_of("abcdef", 2), "ef"},
        {"right 0", right_of("abcdef", 0), ""},
        {"right beyond length", right_of("abc", 9), "abc"},
        {"middle start 0 is not moved", middle_of("abcdef", 0, 2), ""},
        {"middle runs to the end", middle_of("abcdef", 5, 10), "ef"},
        {"middle start past the end", middle_of("abcdef", 7, 1), ""},
        {"middle inside", middle_of("abcdef", 2, 3), "bcd"},
        {"middle n 0", middle_of("abcdef", 2, 0), ""},
        {"spaces 3", spaces(3), "   "},
        {"spaces negative", spaces(-2), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.result, row.expected);
    }
}

struct SearchRow {
    const char* name;
    Text text;
    Text part;
    std::optional<std::int32_t> limit;
    bool ignore_case;
    std::int32_t expected;
};

TEST(Editing, FindFromWalksCharacterStarts) {
    const SearchRow rows[] = {
        {"from start 3", "a.b.c", ".", 3, false, 4},
        {"no start", "a.b.c", ".", nullopt, false, 2},
        {"start below 1 counts as 1", "a.b.c", "a", -5, false, 1},
        {"most negative start", "a.b.c", "a", std::numeric_limits<std::int32_t>::min(), false, 1},
        {"empty part", "abc", "", nullopt, false, 1},
        {"empty part found at 1 whatever the start", "abc", "", 3, false, 1},
        {"empty part past the end", "abc", "", 4, false, -1},
        {"empty text and empty part", "", "", nullopt, false, -1},
        {"second occurrence", "abcabc", "c", 4, false, 6},
        {"start past the end", "abc", "c", 10, false, -1},
        {"ignore case", "Accept: x", "accept:", nullopt, true, 1},
        {"exact case", "Accept: x", "accept:", nullopt, false, -1},
        {"never on a second byte", "\xB0\x41\x41", "AA", nullopt, false, -1},
        {"second byte skipped, later match", "\xB0\x41\x41\x41", "AA", nullopt, false, 3},
        {"start on a second byte reads it alone", "\xB0\x41\x41", "AA", 2, false, 2},
        {"two-byte part", "a\xD7\xD4\xB6\xAF", "\xB6\xAF", nullopt, false, 4},
        {"folding reaches second bytes", "\xB0\x41", "\xB0\x61", nullopt, true, 1},
        {"part longer than text", "ab", "abc", nullopt, false, -1},
        {"dangling byte as one-byte part", "a\xB0", "\xB0", nullopt, false, 2},
    };
    for (const SearchRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(find_from(row.text, row.part, row.limit, row.ignore_case), row.expected);
    }
}

TEST(Editing, FindLastLooksBeforeTheEnd) {
    const SearchRow rows[] = {
        {"anywhere", "a.b.c", ".", nullopt, false, 4},
        {"before end 4", "a.b.c", ".", 4, false, 2},
        {"occurrence must end before end", "a.b.c", ".b", 3, false, -1},
        {"empty region", "x.y", ".", 1, false, -1},
        {"end beyond length", "x.y.", ".", 99, false, 4},
        {"empty part", "abc", "", nullopt, false, 1},
        {"empty part, empty region", "abc", "", 1, false, -1},
        {"overlapping candidates", "aaaa", "aa", nullopt, false, 3},
        {"ignore case", "Set-Cookie: a; set-cookie: b", "SET-COOKIE", nullopt, true, 16},
        {"never on a second byte", "\xB0\x41\x41", "AA", nullopt, false, -1},
        {"two-byte characters walked", "\xB0\x41" "A\xB0\x41", "A", nullopt, false, 3},
        {"not found", "abc", "d", nullopt, false, -1},
    };
    for (const SearchRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(find_last(row.text, row.part, row.limit, row.ignore_case), row.expected);
    }
}

TEST(Editing, SubstituteReplacesLeftToRight) {
    struct Row {
        const char* name;
        Text text;
        Text part;
        Text replacement;
        std::optional<std::int32_t> start;
        std::optional<std::int32_t> count;
        bool case_sensitive;
        Text expected;
    };
    const Row rows[] = {
        {"delete ignoring case", "aXbxc", "x", "", nullopt, nullopt, false, "abc"},
        {"replace exact case", "aXbxc", "x", "-", nullopt, nullopt, true, "aXb-c"},
        {"start and count", "xxx", "x", "y", 2, 1, true, "xyx"},
        {"start past the end", "abc", "b", "d", 4, nullopt, true, "abc"},
        {"count 0", "abc", "b", "d", nullopt, 0, true, "abc"},
        {"negative count replaces all", "bab", "b", "c", nullopt, -3, true, "cac"},
        {"start below 1 counts as 1", "bab", "b", "c", -4, 1, true, "cab"},
        {"empty part", "abc", "", "z", nullopt, nullopt, true, "abc"},
        {"empty text", "", "a", "z", nullopt, nullopt, true, ""},
        {"no overlapping", "aaaa", "aa", "b", nullopt, nullopt, true, "bb"},
        {"replacement not rescanned", "ab", "a", "aa", nullopt, nullopt, true, "aab"},
        {"growing replacement", "a,b,c", ",", ", ", nullopt, nullopt, true, "a, b, c"},
        {"two-byte characters kept whole", "\xB0\x41\x41", "A", "-", nullopt, nullopt, true,
         "\xB0\x41-"},
        {"dangling byte reached by the scan is dropped", "ab\xB0", "x", "y", nullopt, nullopt,
         true, "ab"},
        {"dangling byte after the count is kept", "ab\xB0", "a", "y", nullopt, 1, true,
         "yb\xB0"},
        {"dangling byte too short to scan is kept", "ab\xB0", "bx", "y", nullopt, nullopt, true,
         "ab\xB0"},
        {"start on a second byte", "\xB0\x41\x41", "A", "-", 2, nullopt, true, "\xB0--"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(substitute(row.text, row.part, row.replacement, row.start, row.count,
                             row.case_sensitive),
                  row.expected);
    }
}

TEST(Editing, SplitByMakesItems) {
    struct Row {
        const char* name;
        Text text;
        Text delimiter;
        std::optional<std::int32_t> maximum;
        TextList expected;
    };
    const Row rows[] = {
        {"empty item kept", "a,,b", ",", nullopt, {"a", "", "b"}},
        {"leading delimiter", ",a", ",", nullopt, {"", "a"}},
        {"trailing delimiter", "a,", ",", nullopt, {"a"}},
        {"no delimiter", "a", ",", nullopt, {"a"}},
        {"empty text", "", ",", nullopt, {}},
        {"maximum drops the rest", "a,b,c", ",", 2, {"a", "b"}},
        {"maximum 0", "a,b", ",", 0, {}},
        {"maximum above the count", "a,b", ",", 5, {"a", "b"}},
        {"two-byte delimiter", "a=1; b=2", "; ", nullopt, {"a=1", "b=2"}},
        {"line ending", "a\r\n", "\r\n", nullopt, {"a"}},
        {"empty delimiter", "a,b", "", nullopt, {"a,b"}},
        {"only delimiters", ",,", ",", nullopt, {"", ""}},
        {"never on a second byte", "\xB0,a,b", ",", nullopt, {"\xB0,a", "b"}},
        {"case is never ignored", "aXbxc", "x", nullopt, {"aXb", "c"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(split_by(row.text, row.delimiter, row.maximum), row.expected);
    }
}

TEST(Editing, SplitByDefaultsToComma) { EXPECT_EQ(split_by("a,b"), (TextList{"a", "b"})); }

TEST(Editing, TrimSpacesDropsOneAndTwoByteSpaces) {
    struct Row { const char* name; Text text; Text expected; };
    const Row rows[] = {
        {"ascii spaces", "  a b  ", "a b"},
        {"two-byte spaces", "\xA1\xA1x\xA1\xA1", "x"},
        {"other white space stays", "\tx\r\n", "\tx\r\n"},
        {"spaces only", " \xA1\xA1 ", ""},
        {"empty", "", ""},
        {"dangling byte dropped, spaces before it stay", "a \xB0", "a "},
        {"A1 A1 across characters is no space", "\xB0\xA1\xA1", "\xB0\xA1"},
        {"spaces then a dangling byte", "  \xA1", ""},
        {"inner two-byte space kept", "a\xA1\xA1" "b", "a\xA1\xA1" "b"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(trim_spaces(row.text), row.expected);
    }
}

TEST(Editing, CaseFoldingKeepsTwoByteCharacters) {
    struct Row { const char* name; Text text; Text upper; Text lower; };
    const Row rows[] = {
        {"ascii", "Get /A?b=1", "GET /A?B=1", "get /a?b=1"},
        {"second byte in letter range", "get\xB0\x61", "GET\xB0\x61", "get\xB0\x61"},
        {"upper-case second byte", "X\xB0\x41", "X\xB0\x41", "x\xB0\x41"},
        {"dangling byte", "a\xC1", "A\xC1", "a\xC1"},
        {"empty", "", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ascii_upper(row.text), row.upper);
        EXPECT_EQ(ascii_lower(row.text), row.lower);
    }
}

TEST(Editing, BytesOperationsCountBytes) {
    const Bytes three = {1, 0, 3};
    const Bytes empty;
    EXPECT_EQ(bytes_size(three), 3);
    EXPECT_EQ(bytes_left_of(three, 5), three);
    EXPECT_EQ(bytes_left_of(three, 2), (Bytes{1, 0}));
    EXPECT_TRUE(bytes_left_of(three, -1).empty());
    EXPECT_TRUE(bytes_concat(empty, empty).empty());
    EXPECT_EQ(bytes_concat(three, empty, three), (Bytes{1, 0, 3, 1, 0, 3}));
    EXPECT_EQ(zero_bytes(4), (Bytes{0, 0, 0, 0}));
    EXPECT_TRUE(zero_bytes(0).empty());
}

TEST(Editing, BitOrCombinesAll) {
    EXPECT_EQ(static_cast<std::uint32_t>(bit_or(0x80000000u, 16)), 0x80000010u);
    EXPECT_EQ(bit_or(1, 2, 4, 8), 15);
}

}  // namespace
