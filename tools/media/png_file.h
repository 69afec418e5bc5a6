// A deterministic PNG encoder: fixed filter choice and zlib settings, no time stamp.
#pragma once

#include <cstdint>
#include <vector>

using ByteVector = std::vector<std::uint8_t>;

struct PngLayout {
    int width = 0;
    int height = 0;
    bool alpha = false;         // colour type 6 (RGBA) or 2 (RGB), bit depth 8
    bool colour_chunks = false; // sRGB (perceptual), gAMA 1/2.2 and pHYs 120 dpi after IHDR
    int idat_chunks = 1;        // the compressed stream is split into this many IDAT chunks
};

// `pixels` holds 3 or 4 bytes per pixel, rows top to bottom.
ByteVector encode_png(const PngLayout& layout, const ByteVector& pixels);
