// The portable picture work of a picture box: decoding a PNG into BGRA, and rendering
// the box-sized bitmap once per build (background, blend against it, display mode).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ui/definitions.h"

// 8-bit pixels in blue, green, red, alpha order, alpha not premultiplied, rows top-down.
struct BgraImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// Where the picture lands in the box: may reach past the box (natural mode clips).
struct Placement {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Pictures beyond this many pixels are refused before any pixel memory is taken.
constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 24;

// The whole PNG file decoded with libpng's simplified reading interface; an empty image
// (width 0) when it does not decode or is too large.
BgraImage decode_png(std::span<const std::uint8_t> file);

// The picture's place in a w x h box for the display mode.
Placement place_picture(PictureMode mode, std::int32_t picture_width, std::int32_t picture_height,
                        std::int32_t box_width, std::int32_t box_height);

// The box as it paints: filled with the background, the picture blended against it
// (each channel alpha/255 of the picture plus the rest of the background, truncated) and
// scaled into its place (the mean of the blended pixels when shrinking). Opaque BGRA,
// box_width * box_height. An empty picture leaves the box all background.
BgraImage render_picture_box(const BgraImage& picture, PictureMode mode, std::int32_t box_width,
                             std::int32_t box_height, Colour background);
