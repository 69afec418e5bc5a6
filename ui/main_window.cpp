// The main window: counter, run log, mascot picture and the scan timer.
#include "ui/definitions.h"

// Test and soak builds shorten the scan period through the build configuration.
#ifndef VASTREL_SCAN_PERIOD_MS
#define VASTREL_SCAN_PERIOD_MS 3000
#endif

namespace {

constexpr std::int32_t kScanPeriodMs = VASTREL_SCAN_PERIOD_MS;

constexpr LogicalFont kCounterFont{.height = -19, .weight = 700, .char_set = 134};

constexpr ControlDefinition kMainControls[] = {
    {.name = "图片框1", .kind = ControlKind::picture_box, .left = 16, .top = 8, .width = 72,
     .height = 112, .handler = "open_easter_egg", .picture = Picture::mascot,
     .picture_mode = PictureMode::stretch},
    {.name = "标签1", .kind = ControlKind::label, .left = 96, .top = 16, .width = 152, .height = 24,
     .caption = "自动签到正在运行", .align = HorizontalAlign::centre},
    {.name = "标签2", .kind = ControlKind::label, .left = 128, .top = 48, .width = 64, .height = 24,
     .caption = "签到次数：", .align = HorizontalAlign::right},
    {.name = "标签4", .kind = ControlKind::label, .left = 200, .top = 48, .width = 40, .height = 24,
     .caption = "0", .font = &kCounterFont},
    {.name = "按钮2", .kind = ControlKind::button, .left = 128, .top = 80, .width = 80, .height = 32,
     .caption = "运行日志", .handler = "toggle_run_log"},
    {.name = "按钮3", .kind = ControlKind::button, .left = 208, .top = 80, .width = 64, .height = 32,
     .caption = "版本信息", .handler = "open_version_window"},
    {.name = "列表框1", .kind = ControlKind::list_box, .left = 8, .top = 120, .width = 264,
     .height = 144},
    {.name = "时钟1检测周期", .kind = ControlKind::timer, .handler = "scan_tick",
     .period_ms = kScanPeriodMs},
};

}  // namespace

const WindowDefinition kMainWindow{
    .title = "Vastrel自动签到",
    .width = 284,
    .height = 141,
    .icon = WindowIcon::own_icon_file,
    .created_handler = "log_start_line",
    .controls = kMainControls,
};
