// Display-mode geometry, blending and area-average scaling of picture boxes.
#include "ui/picture_pixels.h"

#include <algorithm>

namespace {

// Source pixel range [first, last) that destination index i of n covers in a source of m.
struct Span {
    std::int32_t first;
    std::int32_t last;
};

Span source_span(std::int32_t i, std::int32_t n, std::int32_t m) {
    const auto first = static_cast<std::int32_t>(std::int64_t{i} * m / n);
    const auto last = static_cast<std::int32_t>(std::int64_t{i + 1} * m / n);
    return {first, std::max(last, first + 1)};
}

void fill(BgraImage& image, Colour colour) {
    for (std::size_t at = 0; at < image.pixels.size(); at += 4) {
        image.pixels[at] = colour.blue;
        image.pixels[at + 1] = colour.green;
        image.pixels[at + 2] = colour.red;
        image.pixels[at + 3] = 255;
    }
}

// Blends every source pixel of one destination pixel's span and averages them.
void render_pixel(const BgraImage& picture, Span columns, Span rows, Colour background,
                  std::uint8_t* out) {
    std::uint32_t blue = 0, green = 0, red = 0;
    for (std::int32_t y = rows.first; y < rows.last; ++y) {
        const std::uint8_t* in = &picture.pixels[(std::size_t(y) * picture.width + columns.first) * 4];
        for (std::int32_t x = columns.first; x < columns.last; ++x, in += 4) {
            const std::uint8_t alpha = in[3];
            blue += blend_channel(in[0], background.blue, alpha);
            green += blend_channel(in[1], background.green, alpha);
            red += blend_channel(in[2], background.red, alpha);
        }
    }
    const std::uint32_t count = std::uint32_t(columns.last - columns.first) * std::uint32_t(rows.last - rows.first);
    out[0] = static_cast<std::uint8_t>((blue + count / 2) / count);
    out[1] = static_cast<std::uint8_t>((green + count / 2) / count);
    out[2] = static_cast<std::uint8_t>((red + count / 2) / count);
    out[3] = 255;
}

}  // namespace

Placement place_picture(PictureMode mode, std::int32_t picture_width, std::int32_t picture_height,
                        std::int32_t box_width, std::int32_t box_height) {
    const std::int64_t w = box_width, h = box_height, pw = picture_width, ph = picture_height;
    switch (mode) {
    case PictureMode::stretch:
        return {0, 0, box_width, box_height};
    case PictureMode::fit: {
        std::int64_t width = pw, height = ph;
        if (pw > w || ph > h) {
            // Scaled by min(w / W, h / H); the other side is truncated to whole pixels.
            if (w * ph <= h * pw) {
                width = w;
                height = ph * w / pw;
            } else {
                width = pw * h / ph;
                height = h;
            }
        }
        return {static_cast<std::int32_t>((w - width) / 2), static_cast<std::int32_t>((h - height) / 2),
                static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    }
    case PictureMode::natural:
        break;
    }
    return {0, 0, picture_width, picture_height};
}

BgraImage render_picture_box(const BgraImage& picture, PictureMode mode, std::int32_t box_width,
                             std::int32_t box_height, Colour background) {
    BgraImage box{std::max(box_width, 0), std::max(box_height, 0), {}};
    box.pixels.resize(std::size_t(box.width) * box.height * 4);
    fill(box, background);
    if (picture.width <= 0 || picture.height <= 0) return box;

    const Placement place = place_picture(mode, picture.width, picture.height, box.width, box.height);
    if (place.width <= 0 || place.height <= 0) return box;
    const std::int32_t x_from = std::max(place.left, 0);
    const std::int32_t x_to = std::min(place.left + place.width, box.width);
    const std::int32_t y_from = std::max(place.top, 0);
    const std::int32_t y_to = std::min(place.top + place.height, box.height);
    for (std::int32_t y = y_from; y < y_to; ++y) {
        const Span rows = source_span(y - place.top, place.height, picture.height);
        std::uint8_t* out = &box.pixels[(std::size_t(y) * box.width + x_from) * 4];
        for (std::int32_t x = x_from; x < x_to; ++x, out += 4) {
            render_pixel(picture, source_span(x - place.left, place.width, picture.width), rows,
                         background, out);
        }
    }
    return box;
}
