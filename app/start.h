// The program's spine: start-up, the run log's start line and its show/hide toggle.
#pragma once

// True while the main window has its tall form with the run log shown.
extern bool log_expanded;

// Prepares the globals, builds and shows the main window and runs the message loop until
// no window of the program is left.
void start_program();
// The clean-up registered for program end.
void release_window_list();
// Handler of the main window's created event.
void log_start_line();
// Handler of 按钮2 "运行日志": switches between the short and the tall form.
void toggle_run_log();
