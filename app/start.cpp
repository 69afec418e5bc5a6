#include "app/start.h"

#include <cstdint>

#include "app/run_log.h"
#include "app/scanner.h"
#include "base/fatal.h"
#include "base/numbers.h"
#include "ui/definitions.h"
#include "ui/toolkit.h"
#include "windows/info_windows.h"
#include "windows/version_window.h"

bool log_expanded = false;

namespace {

constexpr std::int32_t kShortHeight = 141;
constexpr std::int32_t kTallHeight = 300;

// Every handler name the window definitions bind.
constexpr HandlerBinding kProgramHandlers[] = {
    {"log_start_line", log_start_line},
    {"toggle_run_log", toggle_run_log},
    {"open_version_window", open_version_window},
    {"open_easter_egg", open_easter_egg},
    {"scan_tick", scan_tick},
    {"ignore_version_created", ignore_version_created},
    {"ignore_feedback", ignore_feedback},
    {"open_home_page", open_home_page},
    {"check_for_update", check_for_update},
    {"open_update_help", open_update_help},
    {"open_author_window", open_author_window},
    {"ignore_picture_press", ignore_picture_press},
    {"open_contact_window", open_contact_window},
    {"close_easter_egg", close_easter_egg},
};

}  // namespace

void start_program() {
    // A zero-height window makes the scanner's ratio infinite or NaN instead of trapping.
    reset_floating_point();
    window_list = TextList();
    register_cleanup(release_window_list);
    bind_handlers(kProgramHandlers);
    open_window(kMainWindow);
    run_message_loop();
}

void release_window_list() { TextList().swap(window_list); }

void log_start_line() { append_log_line(" 自动签到开始运行"); }

void toggle_run_log() {
    if (!log_expanded) {
        set_outer_height(kMainWindow, kTallHeight);
        log_expanded = true;
        set_visible(kMainWindow, "列表框1", true);
    } else {
        set_outer_height(kMainWindow, kShortHeight);
        log_expanded = false;
        set_visible(kMainWindow, "列表框1", false);
    }
}
