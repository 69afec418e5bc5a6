// Runs the whole program over the headless toolkit and the fake desktop for the tests of
// the version and informational windows: the body is the main loop's scripted action.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/start.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/unit/windows_fake_web.h"
#include "ui/headless/headless_driver.h"

inline void run_program(std::function<void()> main_loop_action) {
    queue_loop_action(std::move(main_loop_action));
    start_program();
}

class WindowsProgram : public testing::Test {
protected:
    void SetUp() override { reset_all(); }
    void TearDown() override { reset_headless(); }
    static void reset_all() {
        reset_headless();
        fake_desktop_reset();
        fake_web_reset();
        log_expanded = false;
    }
};
