// The six windows as data: the shared control kinds, their own settings and event
// bindings. Building a window walks its control table in order.
//
// Handler names bound in the tables (the program binds each with bind_handlers):
//   main window:      "log_start_line" (created), "toggle_run_log" (按钮2),
//                     "open_version_window" (按钮3), "open_easter_egg" (图片框1 press),
//                     "scan_tick" (时钟1检测周期)
//   version window:   "ignore_version_created" (created), "ignore_feedback" (标签6),
//                     "open_home_page" (按钮2), "check_for_update" (按钮3),
//                     "open_update_help" (按钮4), "open_author_window" (按钮1)
//   author window:    "ignore_picture_press" (图片框1 press), "ignore_feedback" (标签2)
//   easter egg:       "open_contact_window" (按钮1), "close_easter_egg" (按钮2)
//   contact window:   "ignore_picture_press" (图片框1 press)
//   update help:      none
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

enum class ControlKind { button, label, list_box, picture_box, timer };
enum class HorizontalAlign { left, centre, right };
enum class PictureMode { natural, stretch, fit };
// The embedded picture a picture box shows.
enum class Picture { none, mascot, avatar, contact_card };
// The main window carries the icon file in its definition; the others use "DEFAULT_ICON".
enum class WindowIcon { own_icon_file, default_icon_group };

// The fields of a Windows logical font that differ between the fonts of the windows;
// width, escapement, orientation, italic, underline and strike-out are always 0.
struct LogicalFont {
    std::int32_t height = 0;
    std::int32_t weight = 400;
    std::uint8_t char_set = 0;
    std::uint8_t out_precision = 0;
    std::uint8_t clip_precision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitch_and_family = 0;
    std::string_view face;  // GBK; empty lets the system choose for the character set
};

// One control. Fields left out keep the kind's shared settings; the event bound is the
// kind's own (clicked, left-button-down, feedback, periodic), empty for none.
struct ControlDefinition {
    std::string_view name;
    ControlKind kind = ControlKind::label;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string_view caption;
    std::string_view handler;
    HorizontalAlign align = HorizontalAlign::left;  // labels; buttons are always centred
    bool word_wrap = false;
    bool visible = true;
    const LogicalFont* font = nullptr;  // nullptr: the default GUI font
    Picture picture = Picture::none;
    PictureMode picture_mode = PictureMode::natural;
    std::int32_t period_ms = 0;  // timers
};

struct WindowDefinition {
    std::string_view title;
    std::int32_t width = 0;   // outer size, frame and title bar included
    std::int32_t height = 0;
    WindowIcon icon = WindowIcon::default_icon_group;
    std::string_view created_handler;
    std::span<const ControlDefinition> controls;
};

extern const WindowDefinition kMainWindow;
extern const WindowDefinition kVersionWindow;
extern const WindowDefinition kAuthorWindow;
extern const WindowDefinition kEasterEggWindow;
extern const WindowDefinition kContactWindow;
extern const WindowDefinition kUpdateHelpWindow;
// The six windows, main window first.
extern const WindowDefinition* const kAllWindows[6];

// The control of the window with that name; nullptr when it has none.
const ControlDefinition* find_control(const WindowDefinition& window, std::string_view name);
