#include "base/riff.h"

#include <algorithm>
#include <cstring>

#include "base/little_endian.h"

namespace {

constexpr std::size_t kMinimumImageBytes = 36;
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kPlainFormatBytes = 16;
constexpr std::size_t kExtendedFormatBytes = 18;
constexpr std::size_t kBlockAlignOffset = 12;
constexpr std::size_t kExtraSizeOffset = 16;

bool has_tag(std::span<const unsigned char> bytes, std::size_t offset, const char (&tag)[5]) {
    return std::memcmp(bytes.data() + offset, tag, 4) == 0;
}

}  // namespace

std::optional<WaveChunks> walk_riff(std::span<const unsigned char> image) {
    if (image.size() < kMinimumImageBytes || !has_tag(image, 0, "RIFF") || !has_tag(image, 8, "WAVE"))
        return std::nullopt;
    std::optional<std::span<const unsigned char>> format;
    std::optional<std::span<const unsigned char>> samples;
    // 64-bit offsets: a chunk length near 4 GiB must not wrap around to an earlier offset.
    std::uint64_t offset = 12;
    while (offset + kChunkHeaderBytes <= image.size() && !(format && samples)) {
        const std::size_t header = static_cast<std::size_t>(offset);
        const std::uint64_t length = read_le32(image, header + 4);
        const std::size_t body = header + kChunkHeaderBytes;
        const std::size_t available = image.size() - body;
        if (!format && has_tag(image, header, "fmt ")) {
            if (length < kPlainFormatBytes || length > available) return std::nullopt;
            format = image.subspan(body, static_cast<std::size_t>(length));
        } else if (!samples && has_tag(image, header, "data")) {
            samples = image.subspan(body, static_cast<std::size_t>(std::min<std::uint64_t>(length, available)));
        }
        offset = body + length + (length & 1);
    }
    if (!format || !samples) return std::nullopt;
    return WaveChunks{*format, *samples};
}

Bytes wave_format_block(std::span<const unsigned char> format) {
    Bytes block(std::max(format.size(), kExtendedFormatBytes), 0);
    std::copy(format.begin(), format.end(), block.begin());
    const std::size_t extra_room = block.size() - kExtendedFormatBytes;
    const std::size_t extra = std::min<std::size_t>(read_le16(block, kExtraSizeOffset), extra_room);
    block[kExtraSizeOffset] = static_cast<unsigned char>(extra & 0xFF);
    block[kExtraSizeOffset + 1] = static_cast<unsigned char>(extra >> 8);
    return block;
}

std::size_t sound_block_bytes(std::span<const unsigned char> format) {
    const std::size_t frame = format.size() >= kBlockAlignOffset + 2 ? read_le16(format, kBlockAlignOffset) : 0;
    if (frame == 0 || frame > kMaxSoundBlockBytes) return kMaxSoundBlockBytes;
    return kMaxSoundBlockBytes - kMaxSoundBlockBytes % frame;
}
