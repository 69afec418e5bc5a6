// Looking up controls in a window definition.
#include "ui/definitions.h"

const WindowDefinition* const kAllWindows[6] = {&kMainWindow,     &kVersionWindow, &kAuthorWindow,
                                                &kEasterEggWindow, &kContactWindow, &kUpdateHelpWindow};

const ControlDefinition* find_control(const WindowDefinition& window, std::string_view name) {
    for (const ControlDefinition& control : window.controls) {
        if (control.name == name) return &control;
    }
    return nullptr;
}
