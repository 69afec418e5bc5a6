// The one error report of the program: a fatal error ends the process with exit code -1.
#pragma once

#include <string_view>

using CleanupRoutine = void (*)();

// The routine to run once when the program ends, normally or by a fatal error.
void register_cleanup(CleanupRoutine routine);
// Reports the failure (message box with the error icon on Windows, stderr elsewhere),
// runs the registered clean-up and exits with -1.
[[noreturn]] void fatal_error(std::string_view message);
