// The registry of open program windows.
#include "ui/win32/program_windows.h"

#include <algorithm>
#include <memory>

namespace {

std::vector<std::unique_ptr<ProgramWindow>>& registry() {
    static std::vector<std::unique_ptr<ProgramWindow>> windows;
    return windows;
}

}  // namespace

ProgramWindow* find_program_window(const WindowDefinition& definition) {
    for (const auto& window : registry()) {
        if (window->definition == &definition && window->hwnd) return window.get();
    }
    return nullptr;
}

ControlWindow* find_control_window(const WindowDefinition& definition, std::string_view name) {
    ProgramWindow* window = find_program_window(definition);
    if (!window) return nullptr;
    for (ControlWindow& control : window->controls) {
        if (control.part.control->name == name) return &control;
    }
    return nullptr;
}

ProgramWindow* program_window_of(HWND frame) {
    for (const auto& window : registry()) {
        if (window->hwnd && window->hwnd == frame) return window.get();
    }
    return nullptr;
}

bool any_program_window() { return !registry().empty(); }

std::vector<ProgramWindow*> all_program_windows() {
    std::vector<ProgramWindow*> windows;
    for (const auto& window : registry()) windows.push_back(window.get());
    return windows;
}

ProgramWindow& add_program_window(const WindowDefinition& definition) {
    auto& window = registry().emplace_back(std::make_unique<ProgramWindow>());
    window->definition = &definition;
    window->part.window = window.get();
    window->controls.resize(definition.controls.size());
    for (std::size_t i = 0; i < definition.controls.size(); ++i) {
        window->controls[i].part = {window.get(), &definition.controls[i]};
    }
    return *window;
}

void remove_program_window(ProgramWindow& window) {
    std::erase_if(registry(), [&](const auto& entry) { return entry.get() == &window; });
}
