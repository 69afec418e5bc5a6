#include "tools/media/png_file.h"

#include <zlib.h>

#include <array>
#include <cstddef>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace {

constexpr int kCompressionLevel = 9;
constexpr int kWindowBits = 15;
constexpr int kMemoryLevel = 9;
constexpr std::uint32_t kGamma = 45455;        // 1/2.2 in units of 1e-5
constexpr std::uint32_t kPixelsPerMetre = 4724; // 120 dpi

void put_u32(ByteVector& out, std::uint32_t value) {
    out.insert(out.end(), {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                           static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

void put_chunk(ByteVector& out, std::string_view type, const std::uint8_t* data, std::size_t size) {
    put_u32(out, static_cast<std::uint32_t>(size));
    const std::size_t type_at = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data, data + size);
    const uLong crc = crc32(0, out.data() + type_at, static_cast<uInt>(4 + size));
    put_u32(out, static_cast<std::uint32_t>(crc));
}

void put_chunk(ByteVector& out, std::string_view type, const ByteVector& data) {
    put_chunk(out, type, data.data(), data.size());
}

int paeth(int left, int up, int up_left) {
    const int estimate = left + up - up_left;
    const int to_left = std::abs(estimate - left);
    const int to_up = std::abs(estimate - up);
    const int to_up_left = std::abs(estimate - up_left);
    if (to_left <= to_up && to_left <= to_up_left) {
        return left;
    }
    return to_up <= to_up_left ? up : up_left;
}

// Each row gets the filter whose output has the smallest sum of absolute signed bytes.
ByteVector filtered_rows(const PngLayout& layout, const ByteVector& pixels) {
    const int channels = layout.alpha ? 4 : 3;
    const std::size_t stride = static_cast<std::size_t>(layout.width) * channels;
    const ByteVector zero_row(stride, 0);
    ByteVector out;
    out.reserve((stride + 1) * layout.height);
    std::array<ByteVector, 5> candidates;
    for (int y = 0; y < layout.height; ++y) {
        const std::uint8_t* row = pixels.data() + stride * y;
        const std::uint8_t* above = y > 0 ? row - stride : zero_row.data();
        std::size_t best = 0;
        long best_cost = -1;
        for (std::size_t filter = 0; filter < candidates.size(); ++filter) {
            ByteVector& line = candidates[filter];
            line.resize(stride);
            long cost = 0;
            for (std::size_t i = 0; i < stride; ++i) {
                const int left = i >= static_cast<std::size_t>(channels) ? row[i - channels] : 0;
                const int up = above[i];
                const int up_left = i >= static_cast<std::size_t>(channels) ? above[i - channels] : 0;
                const int predictor = filter == 0 ? 0
                                      : filter == 1 ? left
                                      : filter == 2 ? up
                                      : filter == 3 ? (left + up) / 2
                                                    : paeth(left, up, up_left);
                const auto value = static_cast<std::uint8_t>(row[i] - predictor);
                line[i] = value;
                cost += value < 128 ? value : 256 - value;
            }
            if (best_cost < 0 || cost < best_cost) {
                best_cost = cost;
                best = filter;
            }
        }
        out.push_back(static_cast<std::uint8_t>(best));
        out.insert(out.end(), candidates[best].begin(), candidates[best].end());
    }
    return out;
}

ByteVector deflated(const ByteVector& raw) {
    z_stream stream{};
    if (deflateInit2(&stream, kCompressionLevel, Z_DEFLATED, kWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    ByteVector out(deflateBound(&stream, static_cast<uLong>(raw.size())));
    stream.next_in = const_cast<Bytef*>(raw.data());
    stream.avail_in = static_cast<uInt>(raw.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate did not finish");
    }
    return out;
}

}  // namespace

ByteVector encode_png(const PngLayout& layout, const ByteVector& pixels) {
    ByteVector out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ByteVector header;
    put_u32(header, static_cast<std::uint32_t>(layout.width));
    put_u32(header, static_cast<std::uint32_t>(layout.height));
    header.insert(header.end(), {8, static_cast<std::uint8_t>(layout.alpha ? 6 : 2), 0, 0, 0});
    put_chunk(out, "IHDR", header);
    if (layout.colour_chunks) {
        put_chunk(out, "sRGB", ByteVector{0});
        ByteVector gamma;
        put_u32(gamma, kGamma);
        put_chunk(out, "gAMA", gamma);
        ByteVector density;
        put_u32(density, kPixelsPerMetre);
        put_u32(density, kPixelsPerMetre);
        density.push_back(1);
        put_chunk(out, "pHYs", density);
    }
    const ByteVector stream = deflated(filtered_rows(layout, pixels));
    const std::size_t pieces = static_cast<std::size_t>(layout.idat_chunks);
    for (std::size_t i = 0; i < pieces; ++i) {
        const std::size_t begin = stream.size() * i / pieces;
        const std::size_t end = stream.size() * (i + 1) / pieces;
        put_chunk(out, "IDAT", stream.data() + begin, end - begin);
    }
    put_chunk(out, "IEND", nullptr, 0);
    return out;
}
