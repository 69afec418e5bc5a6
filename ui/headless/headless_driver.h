// Drives the in-memory toolkit from native tests: raises the events a user or the timer
// would, reads what a user would see, and scripts what happens inside message loops.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "base/values.h"
#include "ui/definitions.h"

// Closes every window without raising events and forgets queued loop actions and the
// modal history. Handler bindings stay.
void reset_headless();

// What each message loop does while it runs. Every loop that starts (run_message_loop,
// or the nested loop of a show_modal) takes the next queued action and runs it inside
// the loop; the window a modal loop waits for, or every window for run_message_loop,
// is then closed as by its close button if the action left it open. With nothing
// queued the loop closes them at once.
void queue_loop_action(std::function<void()> action);

// User input. Each returns false and does nothing when the window is not open, is
// disabled (a modal window is over it), or the control is not shown; otherwise it
// raises the event, runs its handler, then destroys the windows close_window marked.
bool click_button(const WindowDefinition& window, std::string_view control);
bool press_picture(const WindowDefinition& window, std::string_view control);
bool press_escape(const WindowDefinition& window);
bool press_close_button(const WindowDefinition& window);
// One periodic event of every timer of the window; timers tick also while it is disabled.
bool tick_timers(const WindowDefinition& window);

struct OuterSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
struct ListItem {
    Text line;
    std::int32_t value = 0;
    bool operator==(const ListItem&) const = default;
};

OuterSize outer_size(const WindowDefinition& window);
bool is_enabled(const WindowDefinition& window);
std::vector<ListItem> list_items(const WindowDefinition& window, std::string_view control);
// The windows show_modal built, in the order they opened (not the bring-forward calls).
const std::vector<const WindowDefinition*>& modal_history();
