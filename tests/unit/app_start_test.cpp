// Start-up, the start line and the run-log toggle, over the headless toolkit and the fake
// desktop. Each test runs the whole program: its body is the main loop's scripted action.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>

#include "app/scanner.h"
#include "app/start.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/unit/windows_fake_web.h"
#include "ui/definitions.h"
#include "ui/headless/headless_driver.h"
#include "ui/toolkit.h"

namespace {

// The clock the program reads; the test links with --wrap=time.
std::optional<std::time_t> fixed_now;

}  // namespace

extern "C" std::time_t __real_time(std::time_t* out);
extern "C" std::time_t __wrap_time(std::time_t* out) {
    const std::time_t now = fixed_now ? *fixed_now : __real_time(nullptr);
    if (out != nullptr) *out = now;
    return now;
}

namespace {

const FakeWindow kPrompt{.handle = 101, .rect = {100, 200, 400, 522}};
// " 自动签到开始运行" and " 自动签到" in code page 936.
constexpr char kStartSuffix[] = "\x20\xD7\xD4\xB6\xAF\xC7\xA9\xB5\xBD\xBF\xAA\xCA\xBC\xD4\xCB\xD0\xD0";
constexpr char kCheckinSuffix[] = "\x20\xD7\xD4\xB6\xAF\xC7\xA9\xB5\xBD";

std::time_t utc_moment(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return timegm(&fields);
}

void run_program(std::function<void()> main_loop_action) {
    queue_loop_action(std::move(main_loop_action));
    start_program();
}

class Program : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
        reset_headless();
        fake_desktop_reset();
        fake_web_reset();
        fixed_now = utc_moment(2020, 3, 17, 8, 5, 7);
        log_expanded = false;
    }
    void TearDown() override {
        reset_headless();
        fixed_now.reset();
    }
};

TEST_F(Program, ShowsTheShortMainWindowWithOnlyTheStartLine) {
    bool ran = false;
    run_program([&] {
        ran = true;
        EXPECT_EQ(outer_size(kMainWindow).width, 284);
        EXPECT_EQ(outer_size(kMainWindow).height, 141);
        EXPECT_EQ(caption_of(kMainWindow, "标签4"), "0");
        EXPECT_TRUE(is_visible(kMainWindow, "列表框1"));
        EXPECT_FALSE(log_expanded);
        EXPECT_TRUE(window_list.empty());
        const std::vector<ListItem> expected = {{Text("2020年3月17日8时5分7秒") + kStartSuffix, 1}};
        EXPECT_EQ(list_items(kMainWindow, "列表框1"), expected);
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(is_open(kMainWindow));
}

struct StartLineCase {
    const char* name;
    int second;
    const char* line;
};

TEST_F(Program, StartLineIsTheMomentFollowedByTheSuffix) {
    const StartLineCase cases[] = {
        {"with seconds", 7, "2020年3月17日8时5分7秒 自动签到开始运行"},
        {"zero seconds left out", 0, "2020年3月17日8时5分 自动签到开始运行"},
    };
    for (const StartLineCase& c : cases) {
        reset_headless();
        fixed_now = utc_moment(2020, 3, 17, 8, 5, c.second);
        run_program([&] {
            const std::vector<ListItem> expected = {{c.line, 1}};
            EXPECT_EQ(list_items(kMainWindow, "列表框1"), expected) << c.name;
        });
    }
}

struct ToggleCase {
    const char* name;
    int clicks;
    std::int32_t height;
    bool expanded;
};

TEST_F(Program, RunLogButtonAlternatesBetweenShortAndTall) {
    const ToggleCase cases[] = {
        {"once: tall", 1, 300, true},
        {"twice: short", 2, 141, false},
        {"three times: tall again", 3, 300, true},
        {"four times: short again", 4, 141, false},
    };
    for (const ToggleCase& c : cases) {
        reset_headless();
        log_expanded = false;
        run_program([&] {
            for (int i = 0; i < c.clicks; ++i) ASSERT_TRUE(click_button(kMainWindow, "按钮2")) << c.name;
            EXPECT_EQ(outer_size(kMainWindow).height, c.height) << c.name;
            EXPECT_EQ(outer_size(kMainWindow).width, 284) << c.name;
            EXPECT_EQ(is_visible(kMainWindow, "列表框1"), c.expanded) << c.name;
            EXPECT_EQ(log_expanded, c.expanded) << c.name;
            EXPECT_EQ(list_items(kMainWindow, "列表框1").size(), 1u) << c.name;
        });
    }
}

TEST_F(Program, CheckInWhileTheLogIsHiddenAppearsWhenShown) {
    fake_desktop_set_windows({kPrompt});
    run_program([] {
        click_button(kMainWindow, "按钮2");
        click_button(kMainWindow, "按钮2");
        ASSERT_FALSE(is_visible(kMainWindow, "列表框1"));
        tick_timers(kMainWindow);
        EXPECT_EQ(caption_of(kMainWindow, "标签4"), "1");
        click_button(kMainWindow, "按钮2");
        EXPECT_TRUE(is_visible(kMainWindow, "列表框1"));
        const std::vector<ListItem> expected = {
            {Text("2020年3月17日8时5分7秒") + kStartSuffix, 1},
            {Text("2020年3月17日8时5分7秒") + kCheckinSuffix, 2},
        };
        EXPECT_EQ(list_items(kMainWindow, "列表框1"), expected);
    });
}

#if defined(__GLIBC__)
TEST_F(Program, StartUpMasksFloatingPointTrapsAndRoundsToNearest) {
    // A zero-height and a zero-sized window make the ratio infinite and NaN.
    fake_desktop_set_windows({{.handle = 1, .rect = {0, 0, 100, 0}}, {.handle = 2, .rect = {5, 5, 5, 5}}});
    std::fesetround(FE_UPWARD);
    feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    run_program([] {
        EXPECT_EQ(std::fegetround(), FE_TONEAREST);
        EXPECT_EQ(fegetexcept(), 0);
        tick_timers(kMainWindow);
        EXPECT_EQ(caption_of(kMainWindow, "标签4"), "0");
        EXPECT_EQ(window_list.size(), 2u);
    });
    std::fesetenv(FE_DFL_ENV);
}
#endif

struct ModalCase {
    const char* name;
    std::function<bool()> open;
    const WindowDefinition* window;
};

TEST_F(Program, WhileAModalWindowIsOpenTheMainWindowIgnoresInputAndTheScanGoesOn) {
    const ModalCase cases[] = {
        {"version window", [] { return click_button(kMainWindow, "按钮3"); }, &kVersionWindow},
        {"easter egg", [] { return press_picture(kMainWindow, "图片框1"); }, &kEasterEggWindow},
    };
    for (const ModalCase& c : cases) {
        reset_headless();
        fake_desktop_reset();
        fake_desktop_set_windows({kPrompt});
        run_program([&] {
            queue_loop_action([&] {
                ASSERT_TRUE(is_open(*c.window)) << c.name;
                EXPECT_FALSE(is_enabled(kMainWindow)) << c.name;
                EXPECT_FALSE(click_button(kMainWindow, "按钮2")) << c.name;
                EXPECT_FALSE(click_button(kMainWindow, "按钮3")) << c.name;
                EXPECT_FALSE(press_picture(kMainWindow, "图片框1")) << c.name;
                EXPECT_FALSE(press_escape(kMainWindow)) << c.name;
                tick_timers(kMainWindow);
                tick_timers(kMainWindow);
            });
            ASSERT_TRUE(c.open()) << c.name;
            EXPECT_EQ(modal_history().size(), 1u) << c.name;
            EXPECT_TRUE(is_enabled(kMainWindow)) << c.name;
            EXPECT_EQ(outer_size(kMainWindow).height, 141) << c.name;
            EXPECT_EQ(caption_of(kMainWindow, "标签4"), "2") << c.name;
            EXPECT_EQ(list_items(kMainWindow, "列表框1").size(), 3u) << c.name;
            EXPECT_EQ(fake_clicks().size(), 2u) << c.name;
        });
    }
}

struct ClosingCase {
    const char* name;
    bool (*close)(const WindowDefinition&);
};

TEST_F(Program, ClosingTheMainWindowEndsTheProgram) {
    const ClosingCase cases[] = {{"close button", press_close_button}, {"Esc", press_escape}};
    for (const ClosingCase& c : cases) {
        reset_headless();
        fake_desktop_reset();
        fake_desktop_set_windows({kPrompt});
        run_program([&] {
            tick_timers(kMainWindow);
            ASSERT_TRUE(c.close(kMainWindow)) << c.name;
            EXPECT_FALSE(tick_timers(kMainWindow)) << c.name;
        });
        EXPECT_FALSE(is_open(kMainWindow)) << c.name;
        EXPECT_EQ(fake_clicks().size(), 1u) << c.name;
    }
}

TEST_F(Program, ReleasingTheWindowListEmptiesIt) {
    fake_desktop_set_windows({kPrompt, {.handle = 7, .rect = {0, 0, 10, 10}}});
    run_program([] {
        tick_timers(kMainWindow);
        EXPECT_EQ(window_list.size(), 2u);
    });
    release_window_list();
    EXPECT_TRUE(window_list.empty());
    EXPECT_EQ(window_list.capacity(), 0u);
}

}  // namespace
