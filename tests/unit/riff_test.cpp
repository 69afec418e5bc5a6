// The RIFF WAVE walk of play_sound on good and broken images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/riff.h"

namespace {

void put_u32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

void put_tag(Bytes& bytes, const std::string& tag) { bytes.insert(bytes.end(), tag.begin(), tag.end()); }

// A chunk whose length field may lie; the body is padded to an even size when it is whole.
struct Chunk {
    std::string tag;
    std::size_t body_bytes;
    std::optional<std::uint32_t> claimed_length;
};

Bytes image_of(const std::vector<Chunk>& chunks, const std::string& riff = "RIFF", const std::string& wave = "WAVE") {
    Bytes bytes;
    put_tag(bytes, riff);
    put_u32(bytes, 0);
    put_tag(bytes, wave);
    for (const Chunk& chunk : chunks) {
        put_tag(bytes, chunk.tag);
        put_u32(bytes, chunk.claimed_length.value_or(static_cast<std::uint32_t>(chunk.body_bytes)));
        for (std::size_t index = 0; index < chunk.body_bytes; ++index)
            bytes.push_back(static_cast<unsigned char>(index + 1));
        if (chunk.body_bytes % 2 == 1 && !chunk.claimed_length) bytes.push_back(0);
    }
    return bytes;
}

Bytes cut(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

struct Found {
    std::size_t format_offset;
    std::size_t format_bytes;
    std::size_t samples_offset;
    std::size_t samples_bytes;
};

struct WalkCase {
    const char* name;
    Bytes image;
    std::optional<Found> found;
};

TEST(RiffWalkTest, FindsFormatAndSamplesOrNothing) {
    const Chunk fmt{"fmt ", 16, {}};
    const Chunk data{"data", 100, {}};
    const WalkCase cases[] = {
        {"plain image", image_of({fmt, data}), Found{20, 16, 44, 100}},
        {"data before fmt", image_of({data, fmt}), Found{128, 16, 20, 100}},
        {"odd-sized chunk first, then its pad byte", image_of({{"LIST", 5, {}}, fmt, data}),
         Found{34, 16, 58, 100}},
        {"odd-sized data at the end", image_of({fmt, {"data", 7, {}}}), Found{20, 16, 44, 7}},
        {"empty data", image_of({fmt, {"data", 0, {}}, {"pad ", 4, {}}}), Found{20, 16, 44, 0}},
        {"18-byte fmt", image_of({{"fmt ", 18, {}}, data}), Found{20, 18, 46, 100}},
        {"data longer than the image is cut at its end", image_of({fmt, {"data", 100, 5000}}),
         Found{20, 16, 44, 100}},
        {"second fmt and data ignored", image_of({fmt, data, {"fmt ", 20, {}}, {"data", 4, {}}}),
         Found{20, 16, 44, 100}},
        {"empty image", Bytes{}, std::nullopt},
        {"35 bytes", cut(image_of({fmt, data}), 35), std::nullopt},
        {"wrong RIFF tag", image_of({fmt, data}, "RIFX"), std::nullopt},
        {"wrong WAVE tag", image_of({fmt, data}, "RIFF", "AVI "), std::nullopt},
        {"no data chunk", image_of({fmt, {"LIST", 40, {}}}), std::nullopt},
        {"no fmt chunk", image_of({{"LIST", 16, {}}, data}), std::nullopt},
        {"fmt shorter than 16 bytes", image_of({{"fmt ", 14, {}}, data}), std::nullopt},
        {"fmt longer than the image", image_of({data, {"fmt ", 16, 17}}), std::nullopt},
        {"image cut inside the data chunk header", cut(image_of({fmt, data}), 40), std::nullopt},
        {"image cut inside fmt", cut(image_of({data, fmt}), 130), std::nullopt},
        {"huge chunk length before fmt", image_of({{"LIST", 8, 0xFFFFFFFF}, fmt, data}), std::nullopt},
        {"chunk length that would wrap a 32-bit offset back to its own header",
         image_of({{"LIST", 8, 0xFFFFFFF8}, fmt, data}),
         std::nullopt},
    };
    for (const WalkCase& c : cases) {
        const std::optional<WaveChunks> chunks = walk_riff(c.image);
        ASSERT_EQ(chunks.has_value(), c.found.has_value()) << c.name;
        if (!chunks) continue;
        EXPECT_EQ(chunks->format.data() - c.image.data(), static_cast<std::ptrdiff_t>(c.found->format_offset))
            << c.name;
        EXPECT_EQ(chunks->format.size(), c.found->format_bytes) << c.name;
        EXPECT_EQ(chunks->samples.data() - c.image.data(), static_cast<std::ptrdiff_t>(c.found->samples_offset))
            << c.name;
        EXPECT_EQ(chunks->samples.size(), c.found->samples_bytes) << c.name;
    }
}

Bytes format_with(std::size_t size, std::uint16_t block_align, std::uint16_t extra_size) {
    Bytes format(size, 0);
    format[12] = static_cast<unsigned char>(block_align & 0xFF);
    format[13] = static_cast<unsigned char>(block_align >> 8);
    if (size >= 18) {
        format[16] = static_cast<unsigned char>(extra_size & 0xFF);
        format[17] = static_cast<unsigned char>(extra_size >> 8);
    }
    return format;
}

struct FormatCase {
    const char* name;
    Bytes format;
    std::size_t block_bytes;
    std::uint16_t extra_size;
};

TEST(RiffWalkTest, FormatBlockAndStreamingBlockSize) {
    const FormatCase cases[] = {
        {"plain 16 bytes, 16-bit stereo", format_with(16, 4, 0), 18, 0},
        {"18 bytes, no extra", format_with(18, 2, 0), 18, 0},
        {"extra bytes present", format_with(22, 1, 4), 22, 4},
        {"extra size past the chunk", format_with(18, 2, 22), 18, 0},
        {"extra size longer than what follows", format_with(20, 2, 100), 20, 2},
    };
    for (const FormatCase& c : cases) {
        const Bytes block = wave_format_block(c.format);
        ASSERT_EQ(block.size(), c.block_bytes) << c.name;
        EXPECT_TRUE(std::equal(c.format.begin(), c.format.begin() + 16, block.begin())) << c.name;
        EXPECT_EQ(block[16] | block[17] << 8, c.extra_size) << c.name;
    }

    struct BlockCase {
        const char* name;
        std::uint16_t block_align;
        std::size_t bytes;
    };
    const BlockCase blocks[] = {
        {"16-bit stereo", 4, 15360},
        {"24-bit stereo", 6, 15360},
        {"odd frame of 7 bytes", 7, 15358},
        {"zero frame size", 0, 15360},
        {"frame larger than a block", 40000, 15360},
    };
    for (const BlockCase& c : blocks) EXPECT_EQ(sound_block_bytes(format_with(16, c.block_align, 0)), c.bytes) << c.name;
}

}  // namespace
