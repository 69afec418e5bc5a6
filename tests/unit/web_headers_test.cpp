#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/headers.h"

namespace {

struct TextCase {
    const char* name;
    std::string input;
    std::string expected;
};

TEST(NormalizeHeaderNames, CapitalisesEachWordOfTheNameAndKeepsTheRest) {
    const std::vector<TextCase> cases = {
        {"empty line dropped", "accept: */*\r\n\r\ncookie: a=b", "Accept: */*\r\nCookie: a=b"},
        {"every word", "x-requested-with: XMLHttpRequest", "X-Requested-With: XMLHttpRequest"},
        {"only first letters change", "aCCEPT: x", "ACCEPT: x"},
        {"value kept byte for byte", "content-type:  text/html ", "Content-Type:  text/html "},
        {"line without colon dropped", "junk\r\nhost: h", "Host: h"},
        {"no colon at all", "junk\r\nmore junk", ""},
        {"trailing dash kept", "x-: v", "X-: v"},
        {"double dash kept", "a--b: v", "A--B: v"},
        {"leading dash", "-lead: v", "-Lead: v"},
        {"double-byte name unchanged", "\xD6\xD0\xCE\xC4: v", "\xD6\xD0\xCE\xC4: v"},
        {"colon in value", "referer: http://a/b", "Referer: http://a/b"},
        {"empty text", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(normalize_header_names(c.input), c.expected) << c.name;
    }
}

TEST(CapitalizeFirst, UpperCasesOnlyAnAsciiFirstLetter) {
    const std::vector<TextCase> cases = {
        {"letter", "abc", "Abc"},
        {"already upper", "Abc", "Abc"},
        {"digit", "1a", "1a"},
        {"double-byte start", "\xB0\x61", "\xB0\x61"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(capitalize_first(c.input), c.expected) << c.name;
}

TEST(TextBetween, CutsBetweenTheMarkers) {
    struct Case {
        const char* name;
        std::string text, left, right;
        int start;
        bool ignore_case;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"plain", "k=[v];", "[", "]", 0, false, "v"},
        {"quote marker", "name\"=value;", "#引号=", ";", 0, false, "value"},
        {"quote marker on both sides", "k=\"v\";", "=#引号", "#引号", 0, false, "v"},
        {"right marker only before left", "b]x[a", "[", "]", 0, false, ""},
        {"left marker missing", "abc", "[", "]", 0, false, ""},
        {"markers adjacent", "a[]b", "[", "]", 0, false, ""},
        {"start skips first pair", "a[1]b[2]", "[", "]", 4, false, "2"},
        {"case ignored", "X-ABC:1;", "x-abc:", ";", 0, true, "1"},
        {"case kept", "X-ABC:1;", "x-abc:", ";", 0, false, ""},
        {"first right marker after left", "<a>b>", "<", ">", 0, false, "a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_between(c.text, c.left, c.right, c.start, c.ignore_case), c.expected) << c.name;
    }
}

TEST(TextAfterColon, TrimsTheTextAfterTheFirstColon) {
    const std::vector<TextCase> cases = {
        {"trimmed", "User-Agent:  V  ", "V"},
        {"first colon", "a:b:c", "b:c"},
        {"no colon", "no colon", ""},
        {"nothing after", "a:", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(text_after_colon(c.input), c.expected) << c.name;
}

TEST(TextBefore, CutsBeforeTheMarkerForwardOrBackward) {
    struct Case {
        const char* name;
        std::string text, marker;
        int start;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"first occurrence", "a: b: c", ": ", 0, "a"},
        {"marker missing gives empty", "abc", ";", 0, ""},
        {"forward from start", "a;b;c", ";", 3, "a;b"},
        {"backward skips an occurrence ending on the last byte", "a;b;", ";", -1, "a"},
        {"backward finds the last", "a;b;c", ";", -1, "a;b"},
        {"backward from further in", "a;b;c;d", ";", -3, "a"},
        {"backward past the start", "a;b", ";", -10, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_before(c.text, c.marker, c.start), c.expected) << c.name;
    }
}

TEST(TextBefore, IgnoresCaseWhenAsked) {
    EXPECT_EQ(text_before("abcXYZ", "xyz", 0, true), "abc");
    EXPECT_EQ(text_before("abcXYZ", "xyz", 0, false), "");
}

}  // namespace
