#include "windows/info_windows.h"

#include "ui/definitions.h"
#include "ui/toolkit.h"

void open_author_window() { show_modal(kAuthorWindow); }

void open_update_help() { show_modal(kUpdateHelpWindow); }

void open_easter_egg() { show_modal(kEasterEggWindow); }

void open_contact_window() { show_modal(kContactWindow); }

void close_easter_egg() { close_window(kEasterEggWindow); }

void ignore_picture_press() {}

void ignore_feedback() {}
