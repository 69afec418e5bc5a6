// The run log: the main window's list box 列表框1.
#pragma once

#include <string_view>

// Appends the date-time text of now followed by the suffix, with the line's 1-based
// position as its item value.
void append_log_line(std::string_view suffix);
