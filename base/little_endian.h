// Little-endian integers read out of file images (RIFF chunks, icon directories).
// The caller has checked that the bytes lie inside the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

constexpr std::uint16_t read_le16(std::span<const unsigned char> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

constexpr std::uint32_t read_le32(std::span<const unsigned char> bytes, std::size_t offset) {
    return read_le16(bytes, offset) | static_cast<std::uint32_t>(read_le16(bytes, offset + 2)) << 16;
}
