// The desktop services the logic calls: window enumeration and geometry, synthesized
// clicks, sound, the browser hand-off. Implemented by base/win32 and, for native tests,
// by the fake desktop in tests/fakes. Window handles travel as signed decimal texts.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "base/values.h"

// A window's outer rectangle in screen pixels; right and bottom lie just past the window.
struct RectangleRecord {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The handles ("%d") of every visible, not cloaked top-level window, in enumeration order.
TextList list_visible_windows();
// Fills the record with the window's outer rectangle; on failure the record keeps its content.
bool window_rect(std::int32_t handle, RectangleRecord& record);
// Moves the cursor to the screen point and presses and releases the left button there.
void click_at(std::int32_t x, std::int32_t y);
// Starts playing a RIFF WAVE image on a worker thread and returns at once; false when the
// image has no usable "fmt " and "data" chunks. Without a sound device nothing is heard.
bool play_sound(std::span<const unsigned char> image, bool loop);
// Hands the URL to the system's default handler.
void open_in_browser(std::string_view url);

// The calling thread's previous pixel mode, to hand back to leave_physical_pixels.
using PixelMode = std::intptr_t;
// Switches the calling thread to per-monitor DPI awareness, so that rectangles and click
// points are physical pixels on every monitor; a no-op where the system lacks it.
PixelMode enter_physical_pixels();
void leave_physical_pixels(PixelMode previous);
