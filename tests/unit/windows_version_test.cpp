// The version window and its update check, over the headless toolkit, the fake desktop
// and a scripted web_access.
#include <string>
#include <vector>

#include "tests/unit/windows_test_program.h"
#include "ui/definitions.h"
#include "ui/toolkit.h"
#include "windows/urls.h"

namespace {

Bytes bytes_from(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Opens the version window from the main window and runs the action inside its loop.
void in_version_window(std::function<void()> action) {
    queue_loop_action(std::move(action));
    ASSERT_TRUE(click_button(kMainWindow, "按钮3"));
}

void expect_initial_state(const char* when) {
    EXPECT_EQ(caption_of(kVersionWindow, "标签4"), "V 5.8") << when;
    EXPECT_EQ(caption_of(kVersionWindow, "标签6"), "待检测") << when;
    EXPECT_FALSE(is_visible(kVersionWindow, "按钮2")) << when;
}

TEST_F(WindowsProgram, EveryOpeningStartsFromTheDefinition) {
    fake_web_queue_body(bytes_from("V 6.0"));
    run_program([] {
        in_version_window([] {
            EXPECT_FALSE(is_enabled(kMainWindow));
            expect_initial_state("first opening");
            click_button(kVersionWindow, "按钮3");
            EXPECT_TRUE(is_visible(kVersionWindow, "按钮2"));
        });
        EXPECT_FALSE(is_open(kVersionWindow));
        EXPECT_TRUE(is_enabled(kMainWindow));
        in_version_window([] { expect_initial_state("second opening"); });
    });
}

struct UpdateCase {
    const char* name;
    std::string body;
    const char* shown;
    bool newer_button;
};

TEST_F(WindowsProgram, UpdateCheckShowsTheTextAndComparesItByteForByte) {
    const UpdateCase cases[] = {
        {"same version", "V 5.8", "V 5.8", false},
        {"trailing CR LF", "V 5.8\r\n", "V 5.8\r\n", true},
        {"trailing space", "V 5.8 ", "V 5.8 ", true},
        {"other case", "v 5.8", "v 5.8", true},
        {"newer version", "V 5.9", "V 5.9", true},
        {"request failed", "", "", true},
        {"error page", "<html>404 Not Found</html>", "<html>404 Not Found</html>", true},
        {"zero byte ends the text", std::string("V 5.8\0tail", 10), "V 5.8", false},
    };
    for (const UpdateCase& c : cases) {
        reset_all();
        fake_web_queue_body(bytes_from(c.body));
        run_program([&] {
            in_version_window([&] {
                ASSERT_TRUE(click_button(kVersionWindow, "按钮3")) << c.name;
                EXPECT_EQ(caption_of(kVersionWindow, "标签6"), c.shown) << c.name;
                EXPECT_EQ(is_visible(kVersionWindow, "按钮2"), c.newer_button) << c.name;
                EXPECT_EQ(caption_of(kVersionWindow, "标签4"), "V 5.8") << c.name;
            });
        });
        ASSERT_EQ(fake_web_calls().size(), 1u) << c.name;
        EXPECT_EQ(fake_web_calls()[0].url, kUpdateUrl) << c.name;
        EXPECT_TRUE(fake_web_calls()[0].options_omitted) << c.name;
    }
}

struct SequenceCase {
    const char* name;
    std::vector<std::string> bodies;
    std::vector<bool> newer_button;
};

TEST_F(WindowsProgram, EachCheckOverwritesTheLastResult) {
    const SequenceCase cases[] = {
        {"different, then same", {"V 5.9", "V 5.8"}, {true, false}},
        {"same, then failed", {"V 5.8", ""}, {false, true}},
        {"failed, then different", {"", "V 6.0"}, {true, true}},
    };
    for (const SequenceCase& c : cases) {
        reset_all();
        for (const std::string& body : c.bodies) fake_web_queue_body(bytes_from(body));
        run_program([&] {
            in_version_window([&] {
                for (std::size_t i = 0; i < c.bodies.size(); ++i) {
                    click_button(kVersionWindow, "按钮3");
                    EXPECT_EQ(caption_of(kVersionWindow, "标签6"), c.bodies[i]) << c.name << " check " << i;
                    EXPECT_EQ(is_visible(kVersionWindow, "按钮2"), c.newer_button[i]) << c.name << " check " << i;
                }
            });
        });
        EXPECT_EQ(fake_web_calls().size(), c.bodies.size()) << c.name;
    }
}

TEST_F(WindowsProgram, ViewUpdateOpensTheHomePageAndLeavesTheWindowOpen) {
    fake_web_queue_body(bytes_from("V 5.9"));
    run_program([] {
        in_version_window([] {
            EXPECT_FALSE(click_button(kVersionWindow, "按钮2"));  // hidden until a check differs
            click_button(kVersionWindow, "按钮3");
            ASSERT_TRUE(click_button(kVersionWindow, "按钮2"));
            EXPECT_TRUE(is_open(kVersionWindow));
            EXPECT_TRUE(is_enabled(kVersionWindow));
            EXPECT_EQ(caption_of(kVersionWindow, "标签6"), "V 5.9");
        });
    });
    EXPECT_EQ(fake_opened_urls(), std::vector<std::string>{std::string(kHomePageUrl)});
}

TEST(Addresses, AreHttpsWithTheVersionFileAndARootHomePage) {
    constexpr std::string_view kVersionFile = "/%E7%89%88%E6%9C%AC.txt";
    EXPECT_TRUE(kUpdateUrl.starts_with("https://")) << kUpdateUrl;
    EXPECT_TRUE(kUpdateUrl.ends_with(kVersionFile)) << kUpdateUrl;
    EXPECT_TRUE(kHomePageUrl.starts_with("https://")) << kHomePageUrl;
    const std::string_view host_and_path = kHomePageUrl.substr(8);
    EXPECT_EQ(host_and_path.find('/'), host_and_path.size() - 1) << kHomePageUrl;
}

}  // namespace
