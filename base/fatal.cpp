// The fatal error: report, the registered clean-up (run once only), exit code -1.
#include "base/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>

#include "base/fatal_report.h"
#include "base/fatal_testing.h"

namespace {

constexpr int kFatalExitCode = -1;

CleanupRoutine registered_cleanup = nullptr;
bool report_on_stderr = false;

// Taking the routine out before calling it makes every later call a no-op, so the
// clean-up runs once whether the program ends normally, by a fatal error, or both.
void run_cleanup_once() {
    if (const CleanupRoutine routine = std::exchange(registered_cleanup, nullptr)) routine();
}

// Memory that cannot be obtained for a result ends the program like the index error.
[[noreturn]] void memory_exhausted() {
    std::set_new_handler(nullptr);  // a failure while reporting must not come back here
    fatal_error("内存不足，程序无法继续运行。");
}

[[maybe_unused]] const std::new_handler replaced_new_handler = std::set_new_handler(memory_exhausted);

}  // namespace

void register_cleanup(CleanupRoutine routine) {
    static const bool at_exit_registered = std::atexit(run_cleanup_once) == 0;
    (void)at_exit_registered;
    registered_cleanup = routine;
}

void report_fatal_errors_on_stderr() { report_on_stderr = true; }

void fatal_error(std::string_view message) {
    if (report_on_stderr) {
        write_fatal_to_stderr(message);
    } else {
        report_fatal_error(message);
    }
    run_cleanup_once();
    std::exit(kFatalExitCode);
}

void write_fatal_to_stderr(std::string_view message) {
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}
