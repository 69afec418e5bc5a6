#include "ui/icon_file.h"

#include <tuple>

#include "base/little_endian.h"

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

}  // namespace

std::optional<IconImage> icon_image_for(std::span<const std::uint8_t> file, int pixels) {
    if (file.size() < kHeaderSize || read_le16(file, 0) != 0 || read_le16(file, 2) != 1) return std::nullopt;
    const unsigned count = read_le16(file, 4);
    if (file.size() < kHeaderSize + count * kEntrySize) return std::nullopt;

    std::optional<IconImage> best;
    std::tuple<int, int, int> best_rank{};  // higher is better
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderSize + i * kEntrySize;
        const int side = file[entry] == 0 ? 256 : file[entry];
        const int bits = static_cast<int>(read_le16(file, entry + 6));
        const std::uint32_t size = read_le32(file, entry + 8);
        const std::uint32_t offset = read_le32(file, entry + 12);
        if (offset > file.size() || size > file.size() - offset || size == 0) return std::nullopt;
        // Exact size first, then larger sizes (smallest first), then smaller (largest first).
        const int fit = side == pixels ? 2 : side > pixels ? 1 : 0;
        const std::tuple<int, int, int> rank{fit, fit == 1 ? -side : side, bits};
        if (!best || rank > best_rank) {
            best = IconImage{offset, size};
            best_rank = rank;
        }
    }
    return best;
}
