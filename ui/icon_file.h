// Picking one image out of an icon file (header, directory, images) for a given size.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

struct IconImage {
    std::size_t offset = 0;
    std::size_t size = 0;
};

// The image of exactly that size with the most bits per pixel; otherwise the smallest
// larger one, otherwise the largest. Nothing when the file is malformed or empty.
std::optional<IconImage> icon_image_for(std::span<const std::uint8_t> file, int pixels);
