// What the Win32 tests and tools reach beyond the toolkit interface: the handles of a
// built window and its controls, and a stand-in picture file for the decode path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "ui/definitions.h"

// nullptr when the window (or the control) is not open.
HWND window_handle(const WindowDefinition& window);
HWND control_handle(const WindowDefinition& window, std::string_view control);
// Picture boxes showing this picture decode the given file instead of the embedded one,
// from the next build on; an empty span goes back to the embedded file.
void replace_picture_file(Picture picture, std::span<const std::uint8_t> file);
// Bytes of the box-sized bitmaps the window keeps for its picture boxes.
std::size_t picture_bytes_held(const WindowDefinition& window);
