// The in-memory toolkit behaves like the real one where handlers can tell: building from
// the definitions, modal nesting with disabled owners, deferred closing, loops ending.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/headless/headless_driver.h"
#include "ui/toolkit.h"

namespace {

std::vector<std::string> events;

void record_created() { events.push_back("created:" + caption_of(kMainWindow, "标签4")); }
void record_tick() { events.push_back("tick"); }
void open_egg() { show_modal(kEasterEggWindow); events.push_back("egg returned"); }
void open_contact() { show_modal(kContactWindow); }
void close_egg() {
    close_window(kEasterEggWindow);
    events.push_back(is_open(kEasterEggWindow) ? "still open in handler" : "gone in handler");
}
void open_version() { show_modal(kVersionWindow); }

constexpr HandlerBinding kBindings[] = {
    {"log_start_line", record_created},     {"scan_tick", record_tick},
    {"open_easter_egg", open_egg},           {"open_contact_window", open_contact},
    {"close_easter_egg", close_egg},         {"open_version_window", open_version},
};

class HeadlessToolkit : public testing::Test {
protected:
    void SetUp() override {
        reset_headless();
        events.clear();
        bind_handlers(kBindings);
    }
    void TearDown() override { reset_headless(); }
};

TEST_F(HeadlessToolkit, BuildsFromDefinitionAndRaisesCreatedAfterControlsExist) {
    open_window(kMainWindow);
    EXPECT_EQ(events, std::vector<std::string>{"created:0"});
    EXPECT_EQ(outer_size(kMainWindow).width, 284);
    EXPECT_EQ(outer_size(kMainWindow).height, 141);
    EXPECT_TRUE(is_visible(kMainWindow, "列表框1"));
    EXPECT_EQ(list_item_count(kMainWindow, "列表框1"), 0);
    EXPECT_EQ(caption_of(kMainWindow, "标签2"), "签到次数：");
}

TEST_F(HeadlessToolkit, ReopeningStartsFromTheDefinition) {
    open_window(kVersionWindow);
    set_caption(kVersionWindow, "标签6", "V 6.0");
    set_visible(kVersionWindow, "按钮2", true);
    ASSERT_TRUE(press_escape(kVersionWindow));
    EXPECT_FALSE(is_open(kVersionWindow));
    open_window(kVersionWindow);
    EXPECT_EQ(caption_of(kVersionWindow, "标签6"), "待检测");
    EXPECT_FALSE(is_visible(kVersionWindow, "按钮2"));
    EXPECT_FALSE(click_button(kVersionWindow, "按钮2"));
}

TEST_F(HeadlessToolkit, ModalChainDisablesOwnersAndRestoresThemStepByStep) {
    open_window(kMainWindow);
    std::vector<bool> seen;
    queue_loop_action([&] {
        seen.push_back(is_enabled(kMainWindow));
        seen.push_back(click_button(kMainWindow, "按钮3"));  // the main window takes no input
        EXPECT_TRUE(click_button(kEasterEggWindow, "按钮1"));
        seen.push_back(is_open(kEasterEggWindow));  // back from the contact window
        seen.push_back(is_enabled(kEasterEggWindow));
    });
    queue_loop_action([&] {
        seen.push_back(is_enabled(kEasterEggWindow));
        seen.push_back(is_enabled(kMainWindow));
        seen.push_back(press_escape(kContactWindow));
    });
    ASSERT_TRUE(press_picture(kMainWindow, "图片框1"));
    // main disabled, main ignores the click; inside the contact loop: egg and main disabled,
    // Esc closes it; back in the egg loop: the egg is open and enabled again.
    EXPECT_EQ(seen, (std::vector<bool>{false, false, false, false, true, true, true}));
    EXPECT_FALSE(is_open(kEasterEggWindow));
    EXPECT_TRUE(is_enabled(kMainWindow));
    EXPECT_EQ(modal_history(), (std::vector<const WindowDefinition*>{&kEasterEggWindow, &kContactWindow}));
}

TEST_F(HeadlessToolkit, CloseWindowTakesEffectAfterTheHandlerReturns) {
    open_window(kMainWindow);
    queue_loop_action([] { EXPECT_TRUE(click_button(kEasterEggWindow, "按钮2")); });
    press_picture(kMainWindow, "图片框1");
    EXPECT_EQ(events, (std::vector<std::string>{"created:0", "still open in handler", "egg returned"}));
    EXPECT_FALSE(is_open(kEasterEggWindow));
}

TEST_F(HeadlessToolkit, TimersTickWhileAModalWindowIsOpen) {
    open_window(kMainWindow);
    queue_loop_action([] { EXPECT_TRUE(tick_timers(kMainWindow)); });
    click_button(kMainWindow, "按钮3");
    EXPECT_EQ(events, (std::vector<std::string>{"created:0", "tick"}));
}

TEST_F(HeadlessToolkit, LoopsCloseWhatTheirActionLeftOpen) {
    open_window(kMainWindow);
    queue_loop_action([] { click_button(kMainWindow, "按钮3"); });
    run_message_loop();
    EXPECT_FALSE(is_open(kMainWindow));
    EXPECT_FALSE(is_open(kVersionWindow));
    EXPECT_EQ(modal_history(), std::vector<const WindowDefinition*>{&kVersionWindow});
}

TEST_F(HeadlessToolkit, ListItemsKeepOrderAndValues) {
    open_window(kMainWindow);
    append_list_item(kMainWindow, "列表框1", "a", 1);
    append_list_item(kMainWindow, "列表框1", "b", 2);
    EXPECT_EQ(list_items(kMainWindow, "列表框1"), (std::vector<ListItem>{{"a", 1}, {"b", 2}}));
    set_outer_height(kMainWindow, 300);
    EXPECT_EQ(outer_size(kMainWindow).height, 300);
    EXPECT_EQ(outer_size(kMainWindow).width, 284);
}

}  // namespace
