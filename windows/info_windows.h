// The informational windows: author, easter egg, contact code and update help. Each
// handler opens the next window modally or closes the easter egg; none keeps state.
#pragma once

void open_author_window();
void open_update_help();
// Runs on the press of the left button over the main window's mascot picture.
void open_easter_egg();
void open_contact_window();
// "取消": closes the easter-egg window as its close button does.
void close_easter_egg();
// The picture presses of the author and contact windows and the labels' feedback events.
void ignore_picture_press();
void ignore_feedback();
