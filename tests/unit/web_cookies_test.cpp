#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/cookies.h"

namespace {

TEST(MergeCookies, NewCookiesWinOldOnesFollowDeletedAndRepeatsGo) {
    struct Case {
        const char* name;
        std::string old_cookies, new_cookies, expected;
    };
    const std::vector<Case> cases = {
        {"replaced and kept", "a=1; b=2", "b=3; c=4", "b=3; c=4; a=1"},
        {"deleted by new", "a=1; b=2", "b=deleted", "a=1"},
        {"final semicolon", "a=1;", "", "a=1"},
        {"both empty", "", "", ""},
        {"old only", "a=1; b=2", "", "a=1; b=2"},
        {"new only", "", "x=1", "x=1"},
        {"two new pieces of one name stay", "", "x=1; x=2", "x=1; x=2"},
        {"exact repeat removed", "", "x=1; x=1", "x=1"},
        {"first of two old pieces of one name", "a=1; a=2", "", "a=1"},
        {"spaces trimmed", "  a=1  ", " b=2; ", "b=2; a=1"},
        {"short piece survives", "", "a; b=deleted", "a"},
        {"name compared trimmed", "a=1", " a =2", "a =2"},
        {"name compared with case", "A=1", "a=2", "a=2; A=1"},
    };
    for (const auto& c : cases) {
        Text old_cookies = c.old_cookies;
        EXPECT_EQ(merge_cookies(old_cookies, c.new_cookies), c.expected) << c.name;
        EXPECT_EQ(old_cookies, c.expected) << c.name << ": result left in the old text";
    }
}

TEST(CookieName, IsTheTrimmedTextBeforeTheFirstEquals) {
    EXPECT_EQ(cookie_name(" a = 1"), "a");
    EXPECT_EQ(cookie_name("flag"), "flag");
    EXPECT_EQ(cookie_name("=v"), "");
    EXPECT_EQ(cookie_name("k=v=w"), "k");
}

TEST(HasCookieNamed, FindsAPieceByName) {
    const TextList pieces = {"a=1", " b "};
    EXPECT_TRUE(has_cookie_named(pieces, "a"));
    EXPECT_TRUE(has_cookie_named(pieces, "b"));
    EXPECT_FALSE(has_cookie_named(pieces, "c"));
    EXPECT_FALSE(has_cookie_named({}, ""));
}

TEST(RemoveDuplicatePieces, KeepsTheFirstOfEachPiece) {
    struct Case {
        const char* name;
        std::string text, delimiter;
        bool split_at_delimiter;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"pieces", "x; y; x", "; ", true, "x; y"},
        {"no repeats", "x; y", "; ", true, "x; y"},
        {"empty piece kept once", "x; ; ; y", "; ", true, "x; ; y"},
        {"characters", "aba", ",", false, "a,b"},
        {"characters without delimiter", "abca", "", false, "abc"},
        {"double-byte characters", "\xB0\xA1x\xB0\xA1", "", false, "\xB0\xA1x"},
        {"empty", "", "; ", true, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(remove_duplicate_pieces(c.text, c.delimiter, c.split_at_delimiter), c.expected) << c.name;
    }
}

TEST(SplitCharacters, CountsDoubleByteCharactersAndCrLfAsOne) {
    struct Case {
        const char* name;
        std::string text;
        TextList expected;
    };
    const std::vector<Case> cases = {
        {"mixed", "a\r\n\xD6\xD0" "b", {"a", "\r\n", "\xD6\xD0", "b"}},
        {"dangling last byte", "a\xD6", {"a", "\xD6"}},
        {"lone CR at the end", "a\r", {"a", "\r"}},
        {"0x80 is one byte", "\x80x", {"\x80", "x"}},
        {"empty", "", {}},
    };
    for (const auto& c : cases) {
        TextList pieces = {"left over"};
        EXPECT_EQ(split_characters(c.text, pieces), static_cast<int>(c.expected.size())) << c.name;
        EXPECT_EQ(pieces, c.expected) << c.name;
    }
}

TEST(IndexInList, GivesTheFirstEqualItem) {
    const TextList list = {"a", "b", "a"};
    EXPECT_EQ(index_in_list(list, "a"), 1);
    EXPECT_EQ(index_in_list(list, "b"), 2);
    EXPECT_EQ(index_in_list(list, "c"), -1);
    EXPECT_EQ(index_in_list({}, ""), -1);
}

}  // namespace
