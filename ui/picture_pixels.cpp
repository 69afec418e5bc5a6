// Display-mode geometry, blending and area-average scaling of picture boxes.
#include "ui/picture_pixels.h"

#include <algorithm>
#include <span>

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

// Alpha-weighted channel sums of one destination pixel's source pixels.
struct ChannelSums {
    std::uint64_t alpha = 0;
    std::uint64_t blue = 0;
    std::uint64_t green = 0;
    std::uint64_t red = 0;
};

// Adds one source row to the sums of each destination column.
void add_source_row(const std::uint8_t* row, std::span<const Span> columns, std::span<ChannelSums> sums) {
    for (std::size_t column = 0; column < columns.size(); ++column) {
        std::uint64_t alpha = 0, blue = 0, green = 0, red = 0;
        const std::uint8_t* in = row + std::size_t(columns[column].first) * 4;
        for (std::int32_t x = columns[column].first; x < columns[column].last; ++x, in += 4) {
            alpha += in[3];
            blue += std::uint32_t(in[3]) * in[0];
            green += std::uint32_t(in[3]) * in[1];
            red += std::uint32_t(in[3]) * in[2];
        }
        sums[column].alpha += alpha;
        sums[column].blue += blue;
        sums[column].green += green;
        sums[column].red += red;
    }
}

// The mean of the pixels blended against the background: each pixel is alpha/255 of
// itself and the rest background, so the sums blend in one step. A single pixel gives
// the blend truncated to an integer; a mean of several is rounded.
std::uint8_t blended_mean(std::uint64_t weighted, std::uint64_t alpha, std::uint8_t background,
                          std::uint64_t count) {
    const std::uint64_t total = weighted + (255 * count - alpha) * background;
    const std::uint64_t divisor = 255 * count;
    return static_cast<std::uint8_t>(count == 1 ? total / divisor : (total + divisor / 2) / divisor);
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
    // The source columns of each visible destination column, then one pass over the
    // source rows of each destination row, left to right.
    std::vector<Span> columns;
    for (std::int32_t x = x_from; x < x_to; ++x) columns.push_back(source_span(x - place.left, place.width, picture.width));
    std::vector<ChannelSums> sums(columns.size());
    for (std::int32_t y = y_from; y < y_to; ++y) {
        const Span rows = source_span(y - place.top, place.height, picture.height);
        std::fill(sums.begin(), sums.end(), ChannelSums{});
        for (std::int32_t row = rows.first; row < rows.last; ++row) {
            add_source_row(&picture.pixels[std::size_t(row) * picture.width * 4], columns, sums);
        }
        std::uint8_t* out = &box.pixels[(std::size_t(y) * box.width + x_from) * 4];
        for (std::size_t column = 0; column < columns.size(); ++column, out += 4) {
            const ChannelSums& sum = sums[column];
            const auto count = std::uint64_t(columns[column].last - columns[column].first) *
                               std::uint64_t(rows.last - rows.first);
            out[0] = blended_mean(sum.blue, sum.alpha, background.blue, count);
            out[1] = blended_mean(sum.green, sum.alpha, background.green, count);
            out[2] = blended_mean(sum.red, sum.alpha, background.red, count);
            out[3] = 255;
        }
    }
    return box;
}
