// Labels draw themselves by the drawing rules: background, font, alignment, wrap.
#pragma once

#include <windows.h>

#include "ui/win32/program_windows.h"

void draw_label(const DRAWITEMSTRUCT& item, const ControlWindow& label);
