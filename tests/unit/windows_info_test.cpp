// The author, easter-egg, contact and update help windows and the handlers that open and
// close them, over the headless toolkit.
#include <vector>

#include "tests/unit/windows_test_program.h"
#include "ui/definitions.h"
#include "ui/toolkit.h"

namespace {

using History = std::vector<const WindowDefinition*>;

TEST_F(WindowsProgram, PressOnTheMascotOpensTheEasterEggAtOnce) {
    run_program([] {
        queue_loop_action([] {
            EXPECT_TRUE(is_open(kEasterEggWindow));
            EXPECT_FALSE(is_enabled(kMainWindow));
        });
        ASSERT_TRUE(press_picture(kMainWindow, "图片框1"));
        EXPECT_EQ(modal_history(), History{&kEasterEggWindow});
        EXPECT_TRUE(is_enabled(kMainWindow));
    });
}

TEST_F(WindowsProgram, AgreeOpensTheContactWindowOverTheEasterEggAgainAndAgain) {
    run_program([] {
        queue_loop_action([] {  // the easter egg
            queue_loop_action([] {  // the first contact window
                EXPECT_TRUE(is_open(kContactWindow));
                EXPECT_FALSE(is_enabled(kEasterEggWindow));
                EXPECT_FALSE(is_enabled(kMainWindow));
                EXPECT_FALSE(click_button(kEasterEggWindow, "按钮2"));
                ASSERT_TRUE(press_picture(kContactWindow, "图片框1"));
                EXPECT_TRUE(is_open(kContactWindow));
                EXPECT_TRUE(press_close_button(kContactWindow));
            });
            ASSERT_TRUE(click_button(kEasterEggWindow, "按钮1"));
            EXPECT_TRUE(is_open(kEasterEggWindow));
            EXPECT_TRUE(is_enabled(kEasterEggWindow));
            queue_loop_action([] { EXPECT_TRUE(press_escape(kContactWindow)); });
            ASSERT_TRUE(click_button(kEasterEggWindow, "按钮1"));
            EXPECT_TRUE(is_open(kEasterEggWindow));
        });
        press_picture(kMainWindow, "图片框1");
        EXPECT_EQ(modal_history(), (History{&kEasterEggWindow, &kContactWindow, &kContactWindow}));
    });
}

struct EggClosingCase {
    const char* name;
    std::function<bool()> close;
};

TEST_F(WindowsProgram, CancelCloseButtonAndEscAllCloseTheEasterEgg) {
    const EggClosingCase cases[] = {
        {"取消", [] { return click_button(kEasterEggWindow, "按钮2"); }},
        {"close button", [] { return press_close_button(kEasterEggWindow); }},
        {"Esc", [] { return press_escape(kEasterEggWindow); }},
    };
    for (const EggClosingCase& c : cases) {
        reset_all();
        run_program([&] {
            for (int opening = 0; opening < 2; ++opening) {
                queue_loop_action([&] {
                    ASSERT_TRUE(c.close()) << c.name;
                    EXPECT_FALSE(is_open(kEasterEggWindow)) << c.name;
                });
                ASSERT_TRUE(press_picture(kMainWindow, "图片框1")) << c.name;
                EXPECT_TRUE(is_enabled(kMainWindow)) << c.name;
            }
            EXPECT_EQ(modal_history(), (History{&kEasterEggWindow, &kEasterEggWindow})) << c.name;
        });
    }
}

struct VersionChildCase {
    const char* name;
    const char* button;
    const WindowDefinition* window;
};

TEST_F(WindowsProgram, AuthorAndHelpOpenOverTheVersionWindowAndReturnToIt) {
    const VersionChildCase cases[] = {
        {"author", "按钮1", &kAuthorWindow},
        {"update help", "按钮4", &kUpdateHelpWindow},
    };
    for (const VersionChildCase& c : cases) {
        reset_all();
        run_program([&] {
            queue_loop_action([&] {  // the version window
                queue_loop_action([&] {  // the child window
                    EXPECT_FALSE(is_enabled(kVersionWindow)) << c.name;
                    EXPECT_FALSE(click_button(kVersionWindow, "按钮3")) << c.name;
                    press_picture(*c.window, "图片框1");
                    EXPECT_TRUE(is_open(*c.window)) << c.name;
                    EXPECT_TRUE(press_escape(*c.window)) << c.name;
                });
                ASSERT_TRUE(click_button(kVersionWindow, c.button)) << c.name;
                EXPECT_TRUE(is_open(kVersionWindow)) << c.name;
                EXPECT_TRUE(is_enabled(kVersionWindow)) << c.name;
                EXPECT_FALSE(is_enabled(kMainWindow)) << c.name;
            });
            click_button(kMainWindow, "按钮3");
            EXPECT_EQ(modal_history(), (History{&kVersionWindow, c.window})) << c.name;
        });
    }
}

}  // namespace
