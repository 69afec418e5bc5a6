// One scan tick on the real desktop: the program's main window (Win32 toolkit) among the
// windows of the prompt_window helper, one of which has the check-in prompt's shape.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/scanner.h"
#include "tests/win32/prompt_driver.h"
#include "ui/definitions.h"
#include "ui/toolkit.h"

namespace {

HWND window_of(std::int32_t handle) { return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle)); }

TEST(ScannerWineTest, ChecksInOnThePromptOnlyAndAtItsCheckInPoint) {
    open_window(kMainWindow);
    PromptProcess prompts;
    // Window 2 is the prompt (300x322, ratio 0.9317); the others are just outside the band.
    ASSERT_TRUE(start_prompts(prompts, {"--topmost", "--hide-on-click", "276x300@300,80", "300x322@620,300",
                                        "230x250@300,420"}));
    POINT origin{0, 0};
    ASSERT_TRUE(ClientToScreen(window_of(prompts.windows.at(1).handle), &origin));
    // 620 + 150 = 770; 300 + 161 + 0.34 * 322 = 570.48.
    const std::string client = std::to_string(770 - origin.x) + " " + std::to_string(570 - origin.y);

    scan_tick();
    EXPECT_EQ(next_report(prompts), "down 2 " + client);
    EXPECT_EQ(next_report(prompts), "up 2 " + client);
    EXPECT_EQ(next_report(prompts), "hidden 2");
    EXPECT_EQ(caption_of(kMainWindow, "标签4"), "1");
    EXPECT_EQ(list_item_count(kMainWindow, "列表框1"), 1);

    // The answered prompt has gone: the next tick finds nothing to check in on.
    scan_tick();
    EXPECT_EQ(next_report(prompts, 1000), std::nullopt);
    EXPECT_EQ(caption_of(kMainWindow, "标签4"), "1");
}

}  // namespace
