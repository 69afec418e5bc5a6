// The program icon: the character's head in a round frame, as fourteen uncompressed,
// fully opaque bitmaps (4, 8 and 32 bits per pixel) in one icon file.
#include "tools/media/canvas.h"
#include "tools/media/character.h"
#include "tools/media/media_files.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace {

struct IconImage {
    int size;
    int bits;
};

constexpr IconImage kImages[] = {{16, 4},  {32, 4},  {48, 4},  {16, 8},  {32, 8},  {48, 8},  {16, 32},
                                 {24, 32}, {32, 32}, {48, 32}, {64, 32}, {72, 32}, {96, 32}, {128, 32}};
constexpr std::size_t kFileSize = 171990;

// The icon is designed on a 128-unit square centred on (0, 0).
constexpr double kDesign = 128;
constexpr double kFrameRadius = 61;
constexpr double kWindowRadius = 53;
constexpr double kCharacterHeadY = -250;  // the head's centre in character units

// How big the character stands in the frame: the small images show only its face, large
// enough that the eyes stay visible.
struct Framing {
    double scale;   // character units per icon unit
    double head_y;  // where the head's centre sits in the frame
};

constexpr Framing kFaceFraming{0.125, 4};
constexpr Framing kBustFraming{0.08, -10};
constexpr int kLargestFaceIcon = 24;

const Rgba kBackground = rgb(0x27374D);
const Rgba kFrameLight = rgb(0xF6C453);
const Rgba kFrameDark = rgb(0xE0962C);
const Rgba kSkyLight = rgb(0xD9F0FB);
const Rgba kSkyDark = rgb(0x9FD3EE);

// The colours the frame and character are made of, and one edge tone between the dark
// background and the gold frame; the 4-bit images use exactly these.
constexpr std::array<std::uint32_t, 16> kDesignColours = {
    0x27374D, 0xF6C453, 0xE0962C, 0xD9F0FB, 0x9FD3EE, 0xF09A5A, 0xD96F37, 0x8AA6D0,
    0x6682B3, 0xFFF4E2, 0x4A2F27, 0x2B2233, 0xFFFFFF, 0xF7BE45, 0xBDE2F5, 0x8A6A45};

using Pixel = std::array<std::uint8_t, 3>;  // blue, green, red

Canvas draw_icon(int size) {
    Canvas canvas = make_canvas(size, size);
    const double scale = size / kDesign;
    canvas.view = {{size / 2.0, size / 2.0}, scale};
    fill(canvas, rounded_rect({-kDesign, -kDesign, kDesign, kDesign}, 0), solid(kBackground));
    fill(canvas, circle({0, 0}, kFrameRadius), gradient(kFrameLight, {0, -kFrameRadius}, kFrameDark, {0, kFrameRadius}));
    fill(canvas, circle({0, 0}, kWindowRadius), gradient(kSkyLight, {0, -kWindowRadius}, kSkyDark, {0, kWindowRadius}));
    const Framing framing = size <= kLargestFaceIcon ? kFaceFraming : kBustFraming;
    const double origin_y = framing.head_y - kCharacterHeadY * framing.scale;
    canvas.view = {{size / 2.0, size / 2.0 + origin_y * scale}, framing.scale * scale};
    canvas.clip = circle({0, -origin_y / framing.scale}, kWindowRadius / framing.scale);
    draw_kestrel(canvas);
    return canvas;
}

std::vector<Pixel> opaque_pixels(const Canvas& canvas) {
    const ByteVector rgb_values = rgb_bytes(canvas);
    std::vector<Pixel> pixels(canvas.pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = {rgb_values[3 * i + 2], rgb_values[3 * i + 1], rgb_values[3 * i]};
    }
    return pixels;
}

// The design colours; the 8-bit images add the image's own most frequent colours (ties
// ordered by value) so that gradients and soft edges keep their tones.
std::vector<Pixel> palette_for(int bits, const std::vector<Pixel>& pixels) {
    std::vector<Pixel> palette;
    for (const std::uint32_t hex : kDesignColours) {
        palette.push_back({static_cast<std::uint8_t>(hex), static_cast<std::uint8_t>(hex >> 8),
                           static_cast<std::uint8_t>(hex >> 16)});
    }
    if (bits == 4) {
        return palette;
    }
    std::map<Pixel, int> counts;
    for (const Pixel& pixel : pixels) {
        ++counts[pixel];
    }
    std::vector<std::pair<int, Pixel>> by_count;
    for (const auto& [pixel, count] : counts) {
        if (std::find(palette.begin(), palette.end(), pixel) == palette.end()) {
            by_count.push_back({-count, pixel});
        }
    }
    std::sort(by_count.begin(), by_count.end());
    for (std::size_t i = 0; i < by_count.size() && palette.size() < 256; ++i) {
        palette.push_back(by_count[i].second);
    }
    palette.resize(256, Pixel{0, 0, 0});
    return palette;
}

std::uint8_t nearest(const std::vector<Pixel>& palette, Pixel pixel) {
    std::size_t best = 0;
    int best_distance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        int distance = 0;
        for (int c = 0; c < 3; ++c) {
            const int d = palette[i][c] - pixel[c];
            distance += d * d;
        }
        if (best_distance < 0 || distance < best_distance) {
            best_distance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void put_u16(ByteVector& out, std::uint32_t value) {
    out.insert(out.end(), {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
}

void put_u32(ByteVector& out, std::uint32_t value) {
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
}

std::size_t row_bytes(int size, int bits) {
    return static_cast<std::size_t>((size * bits + 31) / 32) * 4;
}

// A BITMAPINFOHEADER (height doubled for the mask), the palette, the colour rows bottom-up
// and an all-zero AND mask: every pixel is opaque.
ByteVector bitmap(const IconImage& image) {
    const int size = image.size;
    const std::vector<Pixel> pixels = opaque_pixels(draw_icon(size));
    const std::vector<Pixel> palette = image.bits == 32 ? std::vector<Pixel>{} : palette_for(image.bits, pixels);
    const std::size_t colour_row = row_bytes(size, image.bits);
    const std::size_t mask_row = row_bytes(size, 1);
    ByteVector out;
    put_u32(out, 40);
    put_u32(out, static_cast<std::uint32_t>(size));
    put_u32(out, static_cast<std::uint32_t>(2 * size));
    put_u16(out, 1);
    put_u16(out, static_cast<std::uint32_t>(image.bits));
    put_u32(out, 0);
    put_u32(out, static_cast<std::uint32_t>((colour_row + mask_row) * size));
    put_u32(out, 0);
    put_u32(out, 0);
    put_u32(out, static_cast<std::uint32_t>(palette.size()));
    put_u32(out, 0);
    for (const Pixel& entry : palette) {
        out.insert(out.end(), {entry[0], entry[1], entry[2], 0});
    }
    for (int y = size - 1; y >= 0; --y) {
        ByteVector row(colour_row, 0);
        for (int x = 0; x < size; ++x) {
            const Pixel pixel = pixels[static_cast<std::size_t>(y) * size + x];
            if (image.bits == 32) {
                row[4 * x] = pixel[0];
                row[4 * x + 1] = pixel[1];
                row[4 * x + 2] = pixel[2];
                row[4 * x + 3] = 255;
            } else if (image.bits == 8) {
                row[x] = nearest(palette, pixel);
            } else {
                row[x / 2] |= static_cast<std::uint8_t>(nearest(palette, pixel) << (x % 2 == 0 ? 4 : 0));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    out.insert(out.end(), mask_row * size, 0);
    return out;
}

}  // namespace

ByteVector program_ico() {
    constexpr std::size_t kCount = std::size(kImages);
    ByteVector out;
    put_u16(out, 0);
    put_u16(out, 1);
    put_u16(out, kCount);
    std::vector<ByteVector> bitmaps;
    for (const IconImage& image : kImages) {
        bitmaps.push_back(bitmap(image));
    }
    std::size_t offset = 6 + 16 * kCount;
    for (std::size_t i = 0; i < kCount; ++i) {
        const IconImage& image = kImages[i];
        out.insert(out.end(), {static_cast<std::uint8_t>(image.size), static_cast<std::uint8_t>(image.size),
                               static_cast<std::uint8_t>(image.bits == 4 ? 16 : 0), 0});
        put_u16(out, 1);
        put_u16(out, static_cast<std::uint32_t>(image.bits));
        put_u32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
        put_u32(out, static_cast<std::uint32_t>(offset));
        offset += bitmaps[i].size();
    }
    for (const ByteVector& image : bitmaps) {
        out.insert(out.end(), image.begin(), image.end());
    }
    if (out.size() != kFileSize) {
        throw std::logic_error("icon file must be 171990 bytes");
    }
    return out;
}
