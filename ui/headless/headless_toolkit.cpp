// The toolkit in memory: windows and controls hold the properties a user would see;
// events come from the test driver and run the handlers bound in the definitions.
#include <deque>
#include <list>

#include "ui/handlers.h"
#include "ui/headless/headless_driver.h"
#include "ui/toolkit.h"

namespace {

struct HeadlessControl {
    const ControlDefinition* definition;
    Text caption;
    bool visible;
    std::vector<ListItem> items;
};

struct HeadlessWindow {
    const WindowDefinition* definition;
    OuterSize size;
    bool enabled = true;
    bool closing = false;
    std::vector<HeadlessControl> controls;
};

// A list keeps references stable while handlers open further windows.
std::list<HeadlessWindow> open_windows;
std::deque<std::function<void()>> loop_actions;
std::vector<const WindowDefinition*> modals_opened;

HeadlessWindow* find_window(const WindowDefinition& definition) {
    for (HeadlessWindow& window : open_windows) {
        if (window.definition == &definition) return &window;
    }
    return nullptr;
}

HeadlessControl* find_headless_control(const WindowDefinition& definition, std::string_view name) {
    HeadlessWindow* window = find_window(definition);
    if (!window) return nullptr;
    for (HeadlessControl& control : window->controls) {
        if (control.definition->name == name) return &control;
    }
    return nullptr;
}

void destroy_window(const WindowDefinition& definition) {
    open_windows.remove_if([&](const HeadlessWindow& window) { return window.definition == &definition; });
}

// The posted destroy requests of close_window, handled once the handler has returned.
void destroy_closing_windows() {
    open_windows.remove_if([](const HeadlessWindow& window) { return window.closing; });
}

void build_window(const WindowDefinition& definition) {
    HeadlessWindow& window = open_windows.emplace_back();
    window.definition = &definition;
    window.size = {definition.width, definition.height};
    for (const ControlDefinition& control : definition.controls) {
        window.controls.push_back({&control, Text(control.caption), control.visible, {}});
    }
    run_handler(definition.created_handler);
}

// The loop's scripted action, then the windows it waits for are closed if still open.
template <class StillOpen, class CloseRemaining>
void run_loop(StillOpen still_open, CloseRemaining close_remaining) {
    if (!loop_actions.empty()) {
        std::function<void()> action = std::move(loop_actions.front());
        loop_actions.pop_front();
        action();
        destroy_closing_windows();
    }
    if (still_open()) close_remaining();
}

bool takes_input(const WindowDefinition& definition) {
    const HeadlessWindow* window = find_window(definition);
    return window && window->enabled;
}

bool raise_control_event(const WindowDefinition& window, std::string_view name, ControlKind kind) {
    if (!takes_input(window)) return false;
    const HeadlessControl* control = find_headless_control(window, name);
    if (!control || control->definition->kind != kind || !control->visible) return false;
    run_handler(control->definition->handler);
    destroy_closing_windows();
    return true;
}

}  // namespace

void open_window(const WindowDefinition& window) {
    if (find_window(window)) return;
    build_window(window);
}

void show_modal(const WindowDefinition& definition) {
    if (find_window(definition)) return;
    build_window(definition);
    std::vector<std::pair<const WindowDefinition*, bool>> disabled;
    for (HeadlessWindow& other : open_windows) {
        if (other.definition == &definition) continue;
        disabled.emplace_back(other.definition, other.enabled);
        other.enabled = false;
    }
    modals_opened.push_back(&definition);
    run_loop([&] { return find_window(definition) != nullptr; }, [&] { destroy_window(definition); });
    for (auto [other, was_enabled] : disabled) {
        if (HeadlessWindow* window = find_window(*other)) window->enabled = was_enabled;
    }
}

void close_window(const WindowDefinition& definition) {
    if (HeadlessWindow* window = find_window(definition)) window->closing = true;
}

void run_message_loop() {
    run_loop([] { return !open_windows.empty(); }, [] { open_windows.clear(); });
}

bool is_open(const WindowDefinition& window) { return find_window(window) != nullptr; }

Text caption_of(const WindowDefinition& window, std::string_view control) {
    const HeadlessControl* found = find_headless_control(window, control);
    return found ? found->caption : Text();
}

void set_caption(const WindowDefinition& window, std::string_view control, std::string_view caption) {
    if (HeadlessControl* found = find_headless_control(window, control)) found->caption = Text(caption);
}

bool is_visible(const WindowDefinition& window, std::string_view control) {
    const HeadlessControl* found = find_headless_control(window, control);
    return found && found->visible;
}

void set_visible(const WindowDefinition& window, std::string_view control, bool visible) {
    if (HeadlessControl* found = find_headless_control(window, control)) found->visible = visible;
}

void set_outer_height(const WindowDefinition& definition, std::int32_t height) {
    if (HeadlessWindow* window = find_window(definition)) window->size.height = height;
}

std::int32_t list_item_count(const WindowDefinition& window, std::string_view control) {
    const HeadlessControl* found = find_headless_control(window, control);
    return found ? static_cast<std::int32_t>(found->items.size()) : 0;
}

void append_list_item(const WindowDefinition& window, std::string_view control,
                      std::string_view line, std::int32_t value) {
    HeadlessControl* found = find_headless_control(window, control);
    if (found && found->definition->kind == ControlKind::list_box) {
        found->items.push_back({Text(line), value});
    }
}

void reset_headless() {
    open_windows.clear();
    loop_actions.clear();
    modals_opened.clear();
}

void queue_loop_action(std::function<void()> action) { loop_actions.push_back(std::move(action)); }

bool click_button(const WindowDefinition& window, std::string_view control) {
    return raise_control_event(window, control, ControlKind::button);
}

bool press_picture(const WindowDefinition& window, std::string_view control) {
    return raise_control_event(window, control, ControlKind::picture_box);
}

bool press_escape(const WindowDefinition& window) {
    if (!takes_input(window)) return false;
    destroy_window(window);
    return true;
}

bool press_close_button(const WindowDefinition& window) { return press_escape(window); }

bool tick_timers(const WindowDefinition& definition) {
    HeadlessWindow* window = find_window(definition);
    if (!window) return false;
    for (const ControlDefinition& control : definition.controls) {
        if (control.kind == ControlKind::timer && control.period_ms > 0) run_handler(control.handler);
    }
    destroy_closing_windows();
    return true;
}

OuterSize outer_size(const WindowDefinition& window) {
    const HeadlessWindow* found = find_window(window);
    return found ? found->size : OuterSize{};
}

bool is_enabled(const WindowDefinition& window) { return takes_input(window); }

std::vector<ListItem> list_items(const WindowDefinition& window, std::string_view control) {
    const HeadlessControl* found = find_headless_control(window, control);
    return found ? found->items : std::vector<ListItem>{};
}

const std::vector<const WindowDefinition*>& modal_history() { return modals_opened; }
