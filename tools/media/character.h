// The program's character, a round little kestrel, drawn in design units around (0, 0):
// about 920 units wide and 1380 tall including its ground shadow.
#pragma once

#include "tools/media/canvas.h"

void draw_kestrel(Canvas& canvas);
