// Any bytes as an embedded picture: decoding, then rendering the box in every display
// mode, must not crash, and a picture that decodes has consistent dimensions.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ui/picture_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BgraImage picture = decode_png({data, size});
    if (picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height) * 4) std::abort();
    for (PictureMode mode : {PictureMode::stretch, PictureMode::fit, PictureMode::natural}) {
        const BgraImage box = render_picture_box(picture, mode, 72, 112, Colour{240, 240, 240});
        if (box.pixels.size() != 72u * 112 * 4) std::abort();
    }
    return 0;
}
