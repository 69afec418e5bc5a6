// Without a desktop to show it on, a fatal error goes to the standard error stream.
#include "base/fatal_report.h"

void report_fatal_error(std::string_view message) { write_fatal_to_stderr(message); }
