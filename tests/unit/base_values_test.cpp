#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "base/numbers.h"
#include "base/values.h"

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace {

TEST(Values, ConcatJoinsPartsInOrder) {
    EXPECT_EQ(concat(Text("a"), Text(), Text("b")), "ab");
    EXPECT_EQ(concat(Text("x"), std::string_view("yz")), "xyz");
    Text grown = "a";
    grown = concat(std::move(grown), Text("b"), Text("c"));
    EXPECT_EQ(grown, "abc");
}

TEST(Values, CompareTextsOrdersUnsignedBytes) {
    struct Row { const char* name; Text a; Text b; int expected; };
    const Row rows[] = {
        {"proper prefix first", "a", "ab", -1},
        {"longer after prefix", "ab", "a", 1},
        {"high byte after ascii", "\xB0", "a", 1},
        {"both empty", Text(), "", 0},
        {"equal", "abc", "abc", 0},
        {"first difference decides", "abd", "abcz", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(compare_texts(row.a, row.b), row.expected);
    }
}

TEST(Values, IntegerOfTextFoldsFullWidthAndWraps) {
    struct Row { const char* name; Text text; std::int32_t expected; };
    const Row rows[] = {
        {"leading spaces and trailing letters", "  42abc", 42},
        {"negative", "-7", -7},
        {"plus sign", "+3", 3},
        {"full-width digits", "\xA3\xB1\xA3\xB2\xA3\xB3", 123},
        {"ascii then full-width digit", "123\xA3\xB4", 1234},
        {"full-width minus", "\xA3\xAD" "5", -5},
        {"full-width space skipped", "\xA1\xA1" "9", 9},
        {"every c white space", "\t\n\v\f\r 8", 8},
        {"empty", "", 0},
        {"no digits", "abc", 0},
        {"space after sign", "- 5", 0},
        {"zero caption", "0", 0},
        {"digits stop at space", "12 34", 12},
        {"2^32 + 1 wraps to 1", "4294967297", 1},
        {"2^31 wraps negative", "2147483648", std::numeric_limits<std::int32_t>::min()},
        {"most negative", "-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"dangling byte after digits", "5\xA3", 5},
        {"two-byte character before digits", "\xB0\xA3" "1", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(integer_of(row.text), row.expected);
    }
}

TEST(Values, IntegerOfRealTruncatesThroughInt64) {
    struct Row { const char* name; double real; std::int32_t expected; };
    const Row rows[] = {
        {"positive fraction", 2.9999, 2},
        {"negative fraction", -2.9999, -2},
        {"small negative", -0.5, 0},
        {"2^32 + 1 keeps low bits", 4294967297.0, 1},
        {"2^31 keeps low bits", 2147483648.0, std::numeric_limits<std::int32_t>::min()},
        {"beyond int64", 1e300, 0},
        {"not a number", std::nan(""), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(integer_of(row.real), row.expected);
    }
}

struct RealRow { const char* name; double real; const char* expected; };
const RealRow kRealRows[] = {
    {"whole number", 6.0, "6"},
    {"half", 0.5, "0.5"},
    {"one third has 13 digits", 1.0 / 3.0, "0.3333333333333"},
    {"negative", -2.25, "-2.25"},
    {"rounding hides binary error", 0.1 + 0.2, "0.3"},
    {"largest plain whole number", 9999999999999.0, "9999999999999"},
    {"small fraction", 0.0001, "0.0001"},
    {"zero", 0.0, "0"},
    {"counter value", 1235.0, "1235"},
};

TEST(Values, TextOfRealIsPercentPoint13G) {
    for (const RealRow& row : kRealRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text_of(row.real), row.expected);
    }
}

// A process locale with a decimal comma must not reach the conversion.
TEST(Values, TextOfRealIgnoresProcessLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* const candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "de-DE"};
    bool comma_locale = false;
    for (const char* name : candidates) {
        if (std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point[0] == ',') {
            comma_locale = true;
            break;
        }
    }
    if (!comma_locale) {
        std::setlocale(LC_NUMERIC, saved.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    for (const RealRow& row : kRealRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text_of(row.real), row.expected);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Values, TextOfDateTimeDropsTrailingZeroTimeParts) {
    struct Row { const char* name; DateTime moment; const char* expected; };
    const Row rows[] = {
        {"full time", {2020, 3, 17, 8, 5, 3}, "2020年3月17日8时5分3秒"},
        {"no seconds", {2020, 3, 17, 8, 5, 0}, "2020年3月17日8时5分"},
        {"whole hour", {2020, 3, 17, 8, 0, 0}, "2020年3月17日8时"},
        {"midnight", {2020, 3, 17, 0, 0, 0}, "2020年3月17日"},
        {"seconds after midnight", {2020, 3, 17, 0, 0, 7}, "2020年3月17日0时0分7秒"},
        {"minutes only", {2020, 3, 17, 0, 30, 0}, "2020年3月17日0时30分"},
        {"late evening", {2021, 12, 31, 23, 59, 59}, "2021年12月31日23时59分59秒"},
        {"before year 100 clamps to midnight", {99, 12, 31, 23, 59, 59}, "100年1月1日"},
        {"first allowed day keeps time", {100, 1, 1, 1, 0, 0}, "100年1月1日1时"},
        {"after 9999 clamps to midnight", {10000, 1, 1, 12, 0, 0}, "9999年12月31日"},
        {"last allowed day keeps time", {9999, 12, 31, 23, 0, 0}, "9999年12月31日23时"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text_of(row.moment), row.expected);
    }
}

TEST(Values, TextOfBytesStopsAtFirstZero) {
    struct Row { const char* name; Bytes bytes; Text expected; };
    const Row rows[] = {
        {"zero inside", {0x41, 0x42, 0x00, 0x43}, "AB"},
        {"no zero", {0x41, 0xB0, 0xA1}, "A\xB0\xA1"},
        {"zero first", {0x00, 0x41}, ""},
        {"empty", {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text_of(row.bytes), row.expected);
    }
}

TEST(Values, BytesOfCopiesEveryByte) {
    EXPECT_EQ(bytes_of("AB"), (Bytes{0x41, 0x42}));
    EXPECT_EQ(bytes_of("\xD7\xD4"), (Bytes{0xD7, 0xD4}));
    EXPECT_TRUE(bytes_of("").empty());
}

TEST(Values, ListsIndexFromOne) {
    TextList list;
    EXPECT_EQ(list_count(list), 0);
    list_append(list, "x");
    ASSERT_EQ(list_count(list), 1);
    EXPECT_EQ(item_at(list, 1), "x");
    list_append(list, "y");
    list_append(list, "z");
    EXPECT_EQ(list_count(list), 3);
    EXPECT_EQ(item_at(list, 3), "z");
    EXPECT_EQ(item_at(list, 2), "y");
}

TEST(Values, ResetFloatingPointRoundsToNearestAndMasksEveryException) {
    std::fesetround(FE_UPWARD);
#if defined(__SSE__)
    // Division by zero and invalid operations unmasked, flush-to-zero on.
    _mm_setcsr((_mm_getcsr() & ~(_MM_MASK_DIV_ZERO | _MM_MASK_INVALID)) | _MM_FLUSH_ZERO_ON);
#endif
    reset_floating_point();
    volatile double one = 1.0, three = 3.0, zero = 0.0, tiny = 0x1p-1022;
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
    EXPECT_EQ(one / three, 0x1.5555555555555p-2);  // rounded up it would end in 6
    EXPECT_TRUE(std::isinf(one / zero));
    EXPECT_TRUE(std::isnan(zero / zero));
    EXPECT_EQ(tiny / 2.0, 0x1p-1023);  // subnormal results are kept
#if defined(__SSE__)
    EXPECT_EQ(_mm_getcsr() & _MM_MASK_MASK, unsigned{_MM_MASK_MASK});
#endif
}

TEST(Values, LocalNowIsACalendarMoment) {
    const DateTime now = local_now();
    EXPECT_GE(now.year, 2020);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
    EXPECT_GE(now.hour, 0);
    EXPECT_LE(now.hour, 23);
    EXPECT_GE(now.minute, 0);
    EXPECT_LE(now.minute, 59);
    EXPECT_GE(now.second, 0);
    EXPECT_LE(now.second, 60);
}

}  // namespace
