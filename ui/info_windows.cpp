// The four informational windows: author, easter egg, contact code and update help.
#include "ui/definitions.h"

namespace {

constexpr ControlDefinition kAuthorControls[] = {
    {.name = "图片框1", .kind = ControlKind::picture_box, .left = 8, .top = 8, .width = 64,
     .height = 64, .handler = "ignore_picture_press", .picture = Picture::avatar,
     .picture_mode = PictureMode::stretch},
    {.name = "标签1", .kind = ControlKind::label, .left = 96, .top = 16, .width = 80, .height = 16,
     .caption = "Kestrin", .align = HorizontalAlign::centre},
    {.name = "标签2", .kind = ControlKind::label, .left = 88, .top = 40, .width = 88, .height = 24,
     .caption = "Tamsel", .handler = "ignore_feedback"},
};

constexpr ControlDefinition kEasterEggControls[] = {
    {.name = "标签1", .kind = ControlKind::label, .left = 16, .top = 8, .width = 112, .height = 32,
     .caption = "呦，都找到这来啦？\r\n那就加个QQ吧～", .word_wrap = true},
    {.name = "按钮1", .kind = ControlKind::button, .left = 136, .top = 8, .width = 40, .height = 32,
     .caption = "同意", .handler = "open_contact_window"},
    {.name = "按钮2", .kind = ControlKind::button, .left = 176, .top = 8, .width = 32, .height = 32,
     .caption = "取消", .handler = "close_easter_egg"},
};

constexpr ControlDefinition kContactControls[] = {
    {.name = "图片框1", .kind = ControlKind::picture_box, .left = -8, .top = 0, .width = 320,
     .height = 408, .handler = "ignore_picture_press", .picture = Picture::contact_card,
     .picture_mode = PictureMode::fit},
};

constexpr ControlDefinition kUpdateHelpControls[] = {
    {.name = "标签1", .kind = ControlKind::label, .left = 24, .top = 32, .width = 216, .height = 56,
     .caption = "此功能需要联网后使用\r\n\r\n因为服务器连接问题，可能需要一段时间后才能响应，请耐心等待",
     .align = HorizontalAlign::centre, .word_wrap = true},
};

}  // namespace

const WindowDefinition kAuthorWindow{
    .title = "Hi～", .width = 197, .height = 98, .controls = kAuthorControls};
const WindowDefinition kEasterEggWindow{
    .title = "隐藏彩蛋", .width = 223, .height = 73, .controls = kEasterEggControls};
const WindowDefinition kContactWindow{
    .title = "QQ", .width = 318, .height = 435, .controls = kContactControls};
const WindowDefinition kUpdateHelpWindow{
    .title = "检查更新·帮助", .width = 265, .height = 146, .controls = kUpdateHelpControls};
