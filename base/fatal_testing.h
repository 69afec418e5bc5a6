// For test programs only: fatal errors reported on stderr instead of a message box, so that
// a death test does not wait for someone to close the box.
#pragma once

void report_fatal_errors_on_stderr();
