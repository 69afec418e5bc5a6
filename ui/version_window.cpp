// The version window: running and latest version, update check, author and help.
#include "ui/definitions.h"

namespace {

constexpr LogicalFont kHeadingFont{.height = -29, .weight = 400, .char_set = 134};
constexpr LogicalFont kVersionFont{.height = -24, .weight = 700, .char_set = 134,
                                   .out_precision = 3, .clip_precision = 2, .quality = 1,
                                   .pitch_and_family = 0x22, .face = "@Microsoft YaHei UI"};
constexpr LogicalFont kLatestFont{.height = -24, .weight = 700, .char_set = 134,
                                  .out_precision = 3, .clip_precision = 2, .quality = 1,
                                  .pitch_and_family = 0x22, .face = "微软雅黑"};

constexpr ControlDefinition kVersionControls[] = {
    {.name = "标签1", .kind = ControlKind::label, .left = 24, .top = 8, .width = 184, .height = 48,
     .caption = "当前版本信息：", .font = &kHeadingFont},
    {.name = "标签4", .kind = ControlKind::label, .left = 248, .top = 16, .width = 88, .height = 32,
     .caption = "V 5.8", .font = &kVersionFont},
    {.name = "标签3", .kind = ControlKind::label, .left = 24, .top = 64, .width = 184, .height = 40,
     .caption = "最新版本信息：", .font = &kHeadingFont},
    {.name = "标签6", .kind = ControlKind::label, .left = 248, .top = 64, .width = 80, .height = 40,
     .caption = "待检测", .handler = "ignore_feedback", .font = &kLatestFont},
    {.name = "按钮2", .kind = ControlKind::button, .left = 72, .top = 128, .width = 64, .height = 32,
     .caption = "查看更新", .handler = "open_home_page", .visible = false},
    {.name = "按钮3", .kind = ControlKind::button, .left = 160, .top = 128, .width = 64, .height = 32,
     .caption = "检查更新", .handler = "check_for_update"},
    {.name = "按钮4", .kind = ControlKind::button, .left = 224, .top = 144, .width = 16, .height = 16,
     .caption = "？", .handler = "open_update_help"},
    {.name = "按钮1", .kind = ControlKind::button, .left = 248, .top = 128, .width = 32, .height = 32,
     .caption = "作者", .handler = "open_author_window"},
};

}  // namespace

const WindowDefinition kVersionWindow{
    .title = "版本信息",
    .width = 364,
    .height = 191,
    .created_handler = "ignore_version_created",
    .controls = kVersionControls,
};
