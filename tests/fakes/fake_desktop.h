// Drives the fake desktop that native tests link in place of base/win32: the windows it
// lists, which rectangle queries fail, and what the logic did (clicks, sounds, URLs).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/desktop.h"

struct FakeWindow {
    std::int32_t handle = 0;
    RectangleRecord rect;
    bool query_fails = false;  // listed, but every rectangle query fails
    bool vanishes = false;     // listed once, then gone before it can be measured
};

struct FakeClick {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool physical_pixels = false;  // whether the thread was in physical-pixel mode
};

struct FakeSound {
    std::size_t image_bytes = 0;
    bool loop = false;
};

// Forgets all windows and everything recorded.
void fake_desktop_reset();
// The visible top-level windows, in enumeration order.
void fake_desktop_set_windows(std::vector<FakeWindow> windows);
const std::vector<FakeClick>& fake_clicks();
// Started playbacks only (images that pass the RIFF walk).
const std::vector<FakeSound>& fake_sounds();
const std::vector<std::string>& fake_opened_urls();
bool fake_in_physical_pixels();
// Called at every click and at every started playback, after it is recorded, so that a
// test can see what the logic had done by then.
void fake_desktop_on_action(std::function<void()> observer);
