// Handlers bound by name: the program registers its routines once before the first window.
#include "ui/handlers.h"

#include <vector>

namespace {

std::vector<HandlerBinding>& bound_handlers() {
    static std::vector<HandlerBinding> bindings;
    return bindings;
}

}  // namespace

void bind_handlers(std::span<const HandlerBinding> bindings) {
    bound_handlers().assign(bindings.begin(), bindings.end());
}

EventHandler handler_named(std::string_view name) {
    if (name.empty()) return nullptr;
    for (const HandlerBinding& binding : bound_handlers()) {
        if (binding.name == name) return binding.handler;
    }
    return nullptr;
}

void run_handler(std::string_view name) {
    if (EventHandler handler = handler_named(name)) handler();
}
