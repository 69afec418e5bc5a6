// The check-in scanner over the fake desktop and the headless toolkit.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include "app/run_log.h"
#include "app/scanner.h"
#include "media/media.h"
#include "tests/fakes/fake_desktop.h"
#include "ui/definitions.h"
#include "ui/headless/headless_driver.h"
#include "ui/toolkit.h"

namespace {

// ---- shape test

TEST(ShapeTest, AcceptsExactlyTheRatiosInsideTheBand) {
    // 23/25 < w/h < 47/50, decided exactly in integers.
    for (std::int32_t height = 1; height <= 4096; ++height) {
        for (std::int32_t width = 1; width <= 4096; ++width) {
            const bool inside = 25 * width > 23 * height && 50 * width < 47 * height;
            if (is_prompt_shape(width, height) != inside) FAIL() << width << "x" << height;
        }
    }
}

struct ShapeCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    bool prompt;
};

TEST(ShapeTest, NamedSizes) {
    const ShapeCase cases[] = {
        {"exactly 0.92", 92, 100, false},
        {"exactly 0.92 scaled", 230, 250, false},
        {"exactly 0.94", 94, 100, false},
        {"exactly 0.94 reduced", 47, 50, false},
        {"0.93", 93, 100, true},
        {"prompt example 300x322", 300, 322, true},
        {"main window short", 284, 141, false},
        {"main window tall, just above the band", 284, 300, false},
        {"version window", 364, 191, false},
        {"author window", 197, 98, false},
        {"easter-egg window", 223, 73, false},
        {"contact window", 318, 435, false},
        {"update help window", 265, 146, false},
        {"zero width", 0, 100, false},
        {"negative width", -93, 100, false},
        {"both negative, positive ratio inside the band", -93, -100, true},
    };
    for (const ShapeCase& c : cases) {
        EXPECT_EQ(is_prompt_shape(c.width, c.height), c.prompt) << c.name;
        EXPECT_EQ(prompt_ratio, static_cast<float>(static_cast<double>(c.width) / c.height)) << c.name;
    }
}

TEST(ShapeTest, ZeroHeightStoresAnInfinityOrNanAndIsRejected) {
    // The start-up floating-point environment: round to nearest, every exception masked.
    std::fenv_t saved;
    std::feholdexcept(&saved);
    EXPECT_FALSE(is_prompt_shape(100, 0));
    EXPECT_TRUE(std::isinf(prompt_ratio) && prompt_ratio > 0);
    EXPECT_FALSE(is_prompt_shape(-100, 0));
    EXPECT_TRUE(std::isinf(prompt_ratio) && prompt_ratio < 0);
    EXPECT_FALSE(is_prompt_shape(0, 0));
    EXPECT_TRUE(std::isnan(prompt_ratio));
    std::fesetenv(&saved);
}

struct RatioCase {
    const char* name;
    float ratio;
    bool prompt;
};

TEST(ShapeTest, SinglePrecisionRatiosAtTheBandEdges) {
    const float low = 0.92f;  // about 1.7e-8 above 0.92
    const float high = 0.94f;  // about 2.4e-9 below 0.94
    const float up = 2.0f;
    const float down = 0.0f;
    const RatioCase cases[] = {
        {"nearest to 0.92", low, false},
        {"one step above 0.92, still within the margin", std::nextafter(low, up), false},
        {"two steps above 0.92", std::nextafter(std::nextafter(low, up), up), true},
        {"one step below 0.92", std::nextafter(low, down), false},
        {"nearest to 0.94", high, false},
        {"one step below 0.94, within the margin", std::nextafter(high, down), false},
        {"two steps below 0.94", std::nextafter(std::nextafter(high, down), down), true},
        {"one step above 0.94", std::nextafter(high, up), false},
        {"NaN", std::nanf(""), false},
    };
    for (const RatioCase& c : cases) EXPECT_EQ(is_prompt_ratio(c.ratio), c.prompt) << c.name;
}

// ---- check-in point

struct PointCase {
    const char* name;
    RectangleRecord record;
    std::int32_t height;
    ScreenPoint point;
};

TEST(CheckinPointTest, CentreAndOffsetTruncatedTowardZero) {
    const PointCase cases[] = {
        {"300x322 at 100,200", {100, 200, 400, 522}, 322, {250, 470}},
        {"93x100 at the origin", {0, 0, 93, 100}, 100, {46, 84}},
        {"left of the primary monitor", {-300, 0, -1, 322}, 322, {-150, 270}},
        {"above the primary monitor", {0, -500, 93, -400}, 100, {46, -416}},
    };
    for (const PointCase& c : cases) {
        const ScreenPoint point = checkin_point(c.record, c.height);
        EXPECT_EQ(point.x, c.point.x) << c.name;
        EXPECT_EQ(point.y, c.point.y) << c.name;
    }
}

// ---- scan tick

constexpr std::string_view kCheckinSuffix = " 自动签到";

FakeWindow window(std::int32_t handle, RectangleRecord rect) { return {handle, rect}; }
FakeWindow failing(std::int32_t handle, RectangleRecord rect) { return {handle, rect, true, false}; }
FakeWindow vanishing(std::int32_t handle, RectangleRecord rect) { return {handle, rect, false, true}; }

constexpr RectangleRecord kPrompt{100, 200, 400, 522};     // clicked at 250, 470
constexpr RectangleRecord kSmallPrompt{0, 0, 93, 100};     // clicked at 46, 84
constexpr RectangleRecord kLeftPrompt{-300, 0, -1, 322};   // clicked at -150, 270
constexpr RectangleRecord kMainShort{10, 10, 294, 151};    // 284x141
constexpr RectangleRecord kMainTall{10, 10, 294, 310};     // 284x300

class ScanTest : public testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset_headless(); }

    // A fresh desktop and main window: counter "0", empty run log.
    static void reset() {
        fake_desktop_reset();
        reset_headless();
        window_list.clear();
        prompt_width = prompt_height = 0;
        open_window(kMainWindow);
    }

    static std::vector<std::pair<std::int32_t, std::int32_t>> clicks() {
        std::vector<std::pair<std::int32_t, std::int32_t>> points;
        for (const FakeClick& click : fake_clicks()) points.emplace_back(click.x, click.y);
        return points;
    }
    static std::vector<ListItem> log() { return list_items(kMainWindow, "列表框1"); }
};

struct ScanCase {
    const char* name;
    std::vector<FakeWindow> windows;
    std::vector<std::pair<std::int32_t, std::int32_t>> clicks;
};

TEST_F(ScanTest, ChecksInOnEveryMatchingWindowInListOrder) {
    const ScanCase cases[] = {
        {"no windows", {}, {}},
        {"one prompt", {window(7, kPrompt)}, {{250, 470}}},
        {"prompt left of the primary monitor", {window(7, kLeftPrompt)}, {{-150, 270}}},
        {"three prompts among other windows",
         {window(1, kMainShort), window(2, kSmallPrompt), window(3, kMainTall), window(4, kPrompt),
          window(5, kLeftPrompt)},
         {{46, 84}, {250, 470}, {-150, 270}}},
        {"zero-sized and zero-height windows", {window(1, {}), window(2, {5, 5, 105, 5})}, {}},
        {"vanished window after a prompt is skipped", {window(1, kPrompt), vanishing(2, kMainShort)}, {{250, 470}}},
        {"vanished window first", {vanishing(1, kPrompt), window(2, kMainShort)}, {}},
        {"failing query between two prompts is not clicked twice",
         {window(1, kPrompt), failing(2, kMainShort), window(3, kSmallPrompt)},
         {{250, 470}, {46, 84}}},
    };
    for (const ScanCase& c : cases) {
        reset();
        fake_desktop_set_windows(c.windows);
        scan_tick();
        EXPECT_EQ(clicks(), c.clicks) << c.name;
        const auto matches = static_cast<std::int32_t>(c.clicks.size());
        EXPECT_EQ(caption_of(kMainWindow, "标签4"), std::to_string(matches)) << c.name;
        EXPECT_EQ(list_item_count(kMainWindow, "列表框1"), matches) << c.name;
        ASSERT_EQ(fake_sounds().size(), c.clicks.size()) << c.name;
        for (const FakeSound& sound : fake_sounds()) {
            EXPECT_EQ(sound.image_bytes, medium_bytes(Medium::checkin_sound).size()) << c.name;
            EXPECT_FALSE(sound.loop) << c.name;
        }
    }
}

TEST_F(ScanTest, WindowListHoldsTheHandleTextsOfTheLatestTick) {
    fake_desktop_set_windows({window(-5, kMainShort), window(2147483647, kMainTall), vanishing(3, kPrompt)});
    scan_tick();
    EXPECT_EQ(window_list, (TextList{"-5", "2147483647", "3"}));
    scan_tick();
    EXPECT_EQ(window_list, (TextList{"-5", "2147483647"}));
    fake_desktop_set_windows({});
    scan_tick();
    EXPECT_TRUE(window_list.empty());
}

TEST_F(ScanTest, MeasuredSizeIsThatOfTheLastWindowMeasured) {
    fake_desktop_set_windows({window(1, kPrompt), window(2, kMainShort), failing(3, kSmallPrompt)});
    scan_tick();
    EXPECT_EQ(prompt_width, 284);
    EXPECT_EQ(prompt_height, 141);
    EXPECT_EQ(prompt_ratio, static_cast<float>(284.0 / 141.0));
}

TEST_F(ScanTest, CounterAndLogGrowWithEveryCheckIn) {
    append_log_line(" 自动签到开始运行");
    fake_desktop_set_windows({window(1, kPrompt), window(2, kSmallPrompt)});
    std::vector<Text> counters{caption_of(kMainWindow, "标签4")};
    const Text before = text_of(local_now());
    scan_tick();
    counters.push_back(caption_of(kMainWindow, "标签4"));
    scan_tick();  // a prompt that stays open is checked in again
    counters.push_back(caption_of(kMainWindow, "标签4"));
    const Text after = text_of(local_now());

    EXPECT_EQ(counters, (std::vector<Text>{"0", "2", "4"}));
    const std::vector<ListItem> lines = log();
    ASSERT_EQ(lines.size(), 5u);
    for (std::size_t index = 1; index < lines.size(); ++index) {
        EXPECT_TRUE(lines[index].line == before + std::string(kCheckinSuffix) ||
                    lines[index].line == after + std::string(kCheckinSuffix))
            << lines[index].line;
        EXPECT_EQ(lines[index].value, static_cast<std::int32_t>(index + 1));
    }
    EXPECT_EQ(clicks().size(), 4u);
}

// Counter, click, log line, sound: what each action finds done when the next one starts.
TEST_F(ScanTest, CheckInActionsRunInOrder) {
    struct Seen {
        Text counter;
        std::int32_t log_lines;
    };
    std::vector<Seen> seen;
    fake_desktop_on_action([&seen] {
        seen.push_back({caption_of(kMainWindow, "标签4"), list_item_count(kMainWindow, "列表框1")});
    });
    fake_desktop_set_windows({window(1, kPrompt), window(2, kSmallPrompt)});
    scan_tick();
    ASSERT_EQ(seen.size(), 4u);
    const Seen expected[] = {{"1", 0}, {"1", 1}, {"2", 1}, {"2", 2}};  // click, sound, click, sound
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].counter, expected[i].counter) << "action " << i;
        EXPECT_EQ(seen[i].log_lines, expected[i].log_lines) << "action " << i;
    }
}

TEST_F(ScanTest, CheckInLineSuffixIsTheNineGbkBytes) {
    const std::string expected = "\x20\xD7\xD4\xB6\xAF\xC7\xA9\xB5\xBD";
    fake_desktop_set_windows({window(1, kPrompt)});
    scan_tick();
    const Text line = log().at(0).line;
    ASSERT_GE(line.size(), expected.size());
    EXPECT_EQ(line.substr(line.size() - expected.size()), expected);
}

TEST_F(ScanTest, ClicksInPhysicalPixelsAndRestoresTheModeAfterTheTick) {
    fake_desktop_set_windows({window(1, kPrompt), window(2, kSmallPrompt)});
    scan_tick();
    ASSERT_EQ(fake_clicks().size(), 2u);
    for (const FakeClick& click : fake_clicks()) EXPECT_TRUE(click.physical_pixels);
    EXPECT_FALSE(fake_in_physical_pixels());
}

}  // namespace
