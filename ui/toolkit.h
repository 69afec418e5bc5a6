// The windowing toolkit the logic uses: windows are built from their definitions and
// their controls are addressed by window definition and control name (each window is
// open at most once at a time). Implemented by ui/win32 and, for tests, ui/headless.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "base/values.h"
#include "ui/definitions.h"

// A handler bound by name in the window definitions.
using EventHandler = void (*)();
struct HandlerBinding {
    std::string_view name;
    EventHandler handler;
};
// The program's handlers, looked up by the names in the definitions (ui/definitions.h lists
// them). Replaces earlier bindings; an event whose name has no binding does nothing.
void bind_handlers(std::span<const HandlerBinding> bindings);

// Builds the window from its definition and shows it as a plain window with no owner.
void open_window(const WindowDefinition& window);
// Opens the window modally and returns once it has closed; brings it forward if it is open.
void show_modal(const WindowDefinition& window);
// Asks the window to close; it is destroyed after the calling handler has returned.
void close_window(const WindowDefinition& window);
// Delivers events until no window of the program is left.
void run_message_loop();
bool is_open(const WindowDefinition& window);

Text caption_of(const WindowDefinition& window, std::string_view control);
void set_caption(const WindowDefinition& window, std::string_view control, std::string_view caption);
bool is_visible(const WindowDefinition& window, std::string_view control);
void set_visible(const WindowDefinition& window, std::string_view control, bool visible);
// Changes only the outer height; width and place stay.
void set_outer_height(const WindowDefinition& window, std::int32_t height);
std::int32_t list_item_count(const WindowDefinition& window, std::string_view control);
void append_list_item(const WindowDefinition& window, std::string_view control,
                      std::string_view line, std::int32_t value);
