// The check-in scanner: on every tick of the main window's timer it measures every visible
// top-level window and checks in on each whose shape is that of the check-in prompt.
#pragma once

#include <cstdint>

#include "base/desktop.h"
#include "base/values.h"

// Handles of the windows listed by the latest tick. Created empty at start-up.
extern TextList window_list;
// Outer size and single-precision ratio of the window measured last.
extern std::int32_t prompt_width;
extern std::int32_t prompt_height;
extern float prompt_ratio;

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Handler of the periodic event of the main window's timer.
void scan_tick();
// Stores width / height in single precision as prompt_ratio and tests it with is_prompt_ratio.
bool is_prompt_shape(std::int32_t width, std::int32_t height);
// True when the ratio lies strictly inside the band (0.92, 0.94) by more than the
// comparison margin.
bool is_prompt_ratio(float ratio);
// The horizontal centre of the rectangle, 0.34 of the height below its vertical centre.
ScreenPoint checkin_point(const RectangleRecord& record, std::int32_t height);
