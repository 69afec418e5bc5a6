#include "app/scanner.h"

#include "app/run_log.h"
#include "base/numbers.h"
#include "media/media.h"
#include "ui/definitions.h"
#include "ui/toolkit.h"

TextList window_list;
std::int32_t prompt_width = 0;
std::int32_t prompt_height = 0;
float prompt_ratio = 0.0f;

namespace {

// The prompt's shape band and the click's offset below the centre, in heights.
constexpr double kBandLow = 0.92;
constexpr double kBandHigh = 0.94;
constexpr double kClickOffset = 0.34;
constexpr std::string_view kCheckinSuffix = " 自动签到";

void raise_counter() {
    const Text caption = caption_of(kMainWindow, "标签4");
    set_caption(kMainWindow, "标签4", text_of(static_cast<double>(integer_of(caption)) + 1.0));
}

void check_in(const RectangleRecord& record) {
    raise_counter();
    const ScreenPoint point = checkin_point(record, prompt_height);
    click_at(point.x, point.y);
    append_log_line(kCheckinSuffix);
    play_sound(medium_bytes(Medium::checkin_sound), false);
}

}  // namespace

bool is_prompt_shape(std::int32_t width, std::int32_t height) {
    // Floating-point exceptions are masked: a zero height gives an infinity or NaN, which
    // fails one of the comparisons.
    prompt_ratio = static_cast<float>(static_cast<double>(width) / static_cast<double>(height));
    return is_prompt_ratio(prompt_ratio);
}

bool is_prompt_ratio(float ratio) {
    const double widened = ratio;
    return real_greater(widened, kBandLow) && real_less(widened, kBandHigh);
}

ScreenPoint checkin_point(const RectangleRecord& record, std::int32_t height) {
    const double x = record.right * 0.5 + record.left * 0.5;
    const double y = (record.bottom * 0.5 + record.top * 0.5) + height * kClickOffset;
    return {truncate_to_int32(x), truncate_to_int32(y)};
}

void scan_tick() {
    const PixelMode previous_mode = enter_physical_pixels();
    RectangleRecord record;
    window_list = list_visible_windows();
    const std::int32_t count = list_count(window_list);
    for (std::int32_t index = 1; index <= count; ++index) {
        const std::int32_t handle = integer_of(item_at(window_list, index));
        // A window that cannot be measured (closed since listing) is skipped: the record
        // still holds the previous window's rectangle, which must not be judged again.
        if (!window_rect(handle, record)) continue;
        prompt_width = truncate_to_int32(static_cast<double>(record.right) - static_cast<double>(record.left));
        prompt_height = truncate_to_int32(static_cast<double>(record.bottom) - static_cast<double>(record.top));
        if (is_prompt_shape(prompt_width, prompt_height)) check_in(record);
    }
    leave_physical_pixels(previous_mode);
}
