// PNG decoding through libpng's simplified reading interface, into 8-bit BGRA.
#include <png.h>

#include "ui/picture_pixels.h"

BgraImage decode_png(std::span<const std::uint8_t> file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return {};
    const std::int64_t pixel_count = std::int64_t{image.width} * image.height;
    if (image.width == 0 || image.height == 0 || pixel_count > kMaxPicturePixels) {
        png_image_free(&image);
        return {};
    }
    image.format = PNG_FORMAT_BGRA;
    BgraImage decoded{static_cast<std::int32_t>(image.width), static_cast<std::int32_t>(image.height), {}};
    decoded.pixels.resize(std::size_t(pixel_count) * 4);
    if (!png_image_finish_read(&image, nullptr, decoded.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    return decoded;
}
