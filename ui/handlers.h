// The handler lookup both toolkits share: names in the definitions to bound routines.
#pragma once

#include <string_view>

#include "ui/toolkit.h"

// The routine bound to the name; nullptr for an empty or unbound name.
EventHandler handler_named(std::string_view name);
// Runs the routine bound to the name, if any.
void run_handler(std::string_view name);
