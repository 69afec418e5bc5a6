// The platform's way of telling the user about a fatal error (one file per platform).
#pragma once

#include <string_view>

// Shows the message and returns once the user has seen it.
void report_fatal_error(std::string_view message);
// The message on the standard error stream, with a line end.
void write_fatal_to_stderr(std::string_view message);
