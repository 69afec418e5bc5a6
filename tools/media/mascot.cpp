#include "tools/media/character.h"
#include "tools/media/media_files.h"

ByteVector mascot_png() {
    constexpr PngLayout kLayout{1072, 1500, true, true, 18};
    Canvas canvas = make_canvas(kLayout.width, kLayout.height);
    canvas.view = {{536, 770}, 1.0};
    draw_kestrel(canvas);
    return encode_png(kLayout, rgba_bytes(canvas));
}
