// The embedded media, read through medium_bytes: the exact file forms the program relies on.
#include "media/media.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "base/little_endian.h"

namespace {

using Span = std::span<const unsigned char>;

std::uint32_t big_u32(Span bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
}

std::string text_at(Span bytes, std::size_t at, std::size_t size) {
    return {bytes.begin() + at, bytes.begin() + at + size};
}

// ---- PNG pictures

struct PngChunk {
    std::string type;
    Span data;
    bool crc_ok;
};

std::vector<PngChunk> png_chunks(Span file) {
    std::vector<PngChunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::uint32_t size = big_u32(file, at);
        if (at + 12 + size > file.size()) {
            break;
        }
        const uLong crc = crc32(0, file.data() + at + 4, 4 + size);
        chunks.push_back({text_at(file, at + 4, 4), file.subspan(at + 8, size), crc == big_u32(file, at + 8 + size)});
        at += 12 + size;
    }
    return chunks;
}

struct PictureCase {
    const char* name;
    Medium medium;
    std::uint32_t width;
    std::uint32_t height;
    int colour_type;
    bool colour_chunks;  // sRGB, gAMA and pHYs after IHDR
    int idat_chunks;
};

const PictureCase kPictures[] = {
    {"mascot", Medium::mascot, 1072, 1500, 6, true, 18},
    {"avatar", Medium::avatar, 1500, 1500, 6, true, 32},
    {"contact_card", Medium::contact_card, 540, 740, 2, false, 42},
};

class Picture : public testing::TestWithParam<PictureCase> {};

TEST_P(Picture, HasTheExactChunkLayout) {
    const PictureCase& c = GetParam();
    const Span file = medium_bytes(c.medium);
    ASSERT_GT(file.size(), 8u);
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_TRUE(std::equal(std::begin(signature), std::end(signature), file.begin()));

    const std::vector<PngChunk> chunks = png_chunks(file);
    std::vector<std::string> expected_order{"IHDR"};
    if (c.colour_chunks) {
        expected_order.insert(expected_order.end(), {"sRGB", "gAMA", "pHYs"});
    }
    expected_order.insert(expected_order.end(), c.idat_chunks, "IDAT");
    expected_order.push_back("IEND");
    std::vector<std::string> order;
    std::size_t chunk_bytes = 8;
    for (const PngChunk& chunk : chunks) {
        order.push_back(chunk.type);
        EXPECT_TRUE(chunk.crc_ok) << chunk.type;
        chunk_bytes += 12 + chunk.data.size();
    }
    EXPECT_EQ(order, expected_order);
    EXPECT_EQ(chunk_bytes, file.size()) << "nothing may follow IEND";

    const Span header = chunks.at(0).data;
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(big_u32(header, 0), c.width);
    EXPECT_EQ(big_u32(header, 4), c.height);
    EXPECT_EQ(header[8], 8) << "bit depth";
    EXPECT_EQ(header[9], c.colour_type);
    EXPECT_EQ(header[10], 0) << "compression";
    EXPECT_EQ(header[11], 0) << "filter method";
    EXPECT_EQ(header[12], 0) << "interlace";
    if (c.colour_chunks) {
        ASSERT_EQ(chunks.at(1).data.size(), 1u);
        EXPECT_EQ(chunks.at(1).data[0], 0) << "perceptual intent";
        ASSERT_EQ(chunks.at(2).data.size(), 4u);
        EXPECT_EQ(big_u32(chunks.at(2).data, 0), 45455u);
        ASSERT_EQ(chunks.at(3).data.size(), 9u);
        EXPECT_EQ(big_u32(chunks.at(3).data, 0), 4724u);
        EXPECT_EQ(big_u32(chunks.at(3).data, 4), 4724u);
        EXPECT_EQ(chunks.at(3).data[8], 1) << "unit: metre";
    }
}

// Decoded as the picture boxes decode it; pictures with alpha have a transparent background
// and soft, partly transparent edges, the card is opaque.
TEST_P(Picture, DecodesToBgraWithItsTransparency) {
    const PictureCase& c = GetParam();
    const Span file = medium_bytes(c.medium);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_memory(&image, file.data(), file.size()), 0) << image.message;
    image.format = PNG_FORMAT_BGRA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr), 0) << image.message;
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);

    std::size_t transparent = 0;
    std::size_t partial = 0;
    for (std::size_t i = 3; i < pixels.size(); i += 4) {
        transparent += pixels[i] == 0;
        partial += pixels[i] != 0 && pixels[i] != 255;
    }
    if (c.colour_type == 6) {
        EXPECT_EQ(pixels[3], 0) << "top-left corner is background";
        EXPECT_GT(transparent, pixels.size() / 4 / 10);
        EXPECT_GT(partial, 1000u);
    } else {
        EXPECT_EQ(transparent + partial, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Media, Picture, testing::ValuesIn(kPictures),
                         [](const testing::TestParamInfo<PictureCase>& info) { return info.param.name; });

// ---- check-in sound

constexpr std::size_t kSoundSize = 110698;
constexpr std::size_t kSamplesAt = 106;
constexpr std::size_t kFrames = 27648;

struct WavField {
    const char* name;
    std::size_t offset;
    int size;  // 2 or 4 for little-endian numbers, 0 for a four-letter id
    std::uint32_t value;
    const char* id;
};

const WavField kWavFields[] = {
    {"riff", 0, 0, 0, "RIFF"},
    {"riff_size", 4, 4, 110690, nullptr},
    {"wave", 8, 0, 0, "WAVE"},
    {"fmt_id", 12, 0, 0, "fmt "},
    {"fmt_size", 16, 4, 16, nullptr},
    {"format_pcm", 20, 2, 1, nullptr},
    {"channels", 22, 2, 2, nullptr},
    {"sample_rate", 24, 4, 22050, nullptr},
    {"byte_rate", 28, 4, 88200, nullptr},
    {"block_align", 32, 2, 4, nullptr},
    {"bits_per_sample", 34, 2, 16, nullptr},
    {"list_id", 36, 0, 0, "LIST"},
    {"list_size", 40, 4, 54, nullptr},
    {"info", 44, 0, 0, "INFO"},
    {"data_id", 98, 0, 0, "data"},
    {"data_size", 102, 4, 110592, nullptr},
};

TEST(CheckinSound, HasTheExactSize) {
    EXPECT_EQ(medium_bytes(Medium::checkin_sound).size(), kSoundSize);
}

TEST(CheckinSound, HeaderFieldsSitAtTheirOffsets) {
    const Span wav = medium_bytes(Medium::checkin_sound);
    ASSERT_EQ(wav.size(), kSoundSize);
    for (const WavField& field : kWavFields) {
        SCOPED_TRACE(field.name);
        if (field.id != nullptr) {
            EXPECT_EQ(text_at(wav, field.offset, 4), field.id);
        } else if (field.size == 2) {
            EXPECT_EQ(read_le16(wav, field.offset), field.value);
        } else {
            EXPECT_EQ(read_le32(wav, field.offset), field.value);
        }
    }
}

TEST(CheckinSound, InfoTagsFillTheListExactly) {
    const Span wav = medium_bytes(Medium::checkin_sound);
    ASSERT_EQ(wav.size(), kSoundSize);
    std::size_t at = 48;
    int tags = 0;
    while (at < 98) {
        const std::string id = text_at(wav, at, 4);
        const std::uint32_t size = read_le32(wav, at + 4);
        EXPECT_EQ(id[0], 'I') << "INFO tag ids begin with I";
        ASSERT_GT(size, 0u);
        EXPECT_EQ(wav[at + 8 + size - 1], 0) << id << " text is zero-terminated";
        at += 8 + size + size % 2;
        ++tags;
    }
    EXPECT_EQ(at, 98u);
    EXPECT_GT(tags, 0);
}

// A chime, not silence, well below full scale, faded to silence at the end.
TEST(CheckinSound, SamplesAreAnUnclippedChimeFadingToSilence) {
    const Span wav = medium_bytes(Medium::checkin_sound);
    ASSERT_EQ(wav.size(), kSoundSize);
    auto sample = [&](std::size_t index) {
        return static_cast<std::int16_t>(read_le16(wav, kSamplesAt + 2 * index));
    };
    int peak = 0;
    for (std::size_t i = 0; i < 2 * kFrames; ++i) {
        peak = std::max(peak, std::abs(int{sample(i)}));
    }
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 24000);
    int tail_peak = 0;
    for (std::size_t i = 2 * (kFrames - 220); i < 2 * kFrames; ++i) {
        tail_peak = std::max(tail_peak, std::abs(int{sample(i)}));
    }
    EXPECT_LT(tail_peak, 8) << "the last 10 ms are silent";
}

// ---- program icon

constexpr std::size_t kIconSize = 171990;
constexpr std::size_t kDirectoryEnd = 6 + 14 * 16;

struct IconCase {
    int size;
    int bits;
    std::uint32_t bytes;
};

const IconCase kIconImages[] = {{16, 4, 296},   {32, 4, 744},    {48, 4, 1640},   {16, 8, 1384},  {32, 8, 2216},
                                {48, 8, 3752},  {16, 32, 1128},  {24, 32, 2440},  {32, 32, 4264}, {48, 32, 9640},
                                {64, 32, 16936}, {72, 32, 21640}, {96, 32, 38056}, {128, 32, 67624}};

std::size_t row_bytes(int size, int bits) {
    return static_cast<std::size_t>((size * bits + 31) / 32) * 4;
}

TEST(ProgramIcon, DirectoryListsTheFourteenImagesInOrder) {
    const Span ico = medium_bytes(Medium::program_icon);
    ASSERT_EQ(ico.size(), kIconSize);
    EXPECT_EQ(read_le16(ico, 0), 0u);
    EXPECT_EQ(read_le16(ico, 2), 1u) << "type: icon";
    ASSERT_EQ(read_le16(ico, 4), 14u);
    std::size_t offset = kDirectoryEnd;
    for (std::size_t i = 0; i < std::size(kIconImages); ++i) {
        const IconCase& c = kIconImages[i];
        SCOPED_TRACE(testing::Message() << "image " << i + 1 << ": " << c.size << " px, " << c.bits << " bits");
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], c.size);
        EXPECT_EQ(ico[entry + 1], c.size);
        EXPECT_EQ(ico[entry + 2], c.bits == 4 ? 16 : 0) << "colour count";
        EXPECT_EQ(ico[entry + 3], 0);
        EXPECT_EQ(read_le16(ico, entry + 4), 1u) << "planes";
        EXPECT_EQ(read_le16(ico, entry + 6), static_cast<std::uint32_t>(c.bits));
        EXPECT_EQ(read_le32(ico, entry + 8), c.bytes);
        EXPECT_EQ(read_le32(ico, entry + 12), offset);
        offset += c.bytes;
    }
    EXPECT_EQ(offset, kIconSize);
}

TEST(ProgramIcon, ImagesAreUncompressedOpaqueBitmaps) {
    const Span ico = medium_bytes(Medium::program_icon);
    ASSERT_EQ(ico.size(), kIconSize);
    std::size_t at = kDirectoryEnd;
    for (const IconCase& c : kIconImages) {
        SCOPED_TRACE(testing::Message() << c.size << " px, " << c.bits << " bits");
        const Span image = ico.subspan(at, c.bytes);
        at += c.bytes;
        EXPECT_EQ(read_le32(image, 0), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(read_le32(image, 4), static_cast<std::uint32_t>(c.size));
        EXPECT_EQ(read_le32(image, 8), static_cast<std::uint32_t>(2 * c.size)) << "colour rows and mask";
        EXPECT_EQ(read_le16(image, 12), 1u);
        EXPECT_EQ(read_le16(image, 14), static_cast<std::uint32_t>(c.bits));
        EXPECT_EQ(read_le32(image, 16), 0u) << "no compression";
        const std::size_t palette = c.bits == 32 ? 0 : std::size_t{1} << c.bits;
        const std::uint32_t used = read_le32(image, 32);
        EXPECT_TRUE(used == 0 || used == palette) << "palette entries " << used;
        const std::size_t colour_bytes = row_bytes(c.size, c.bits) * c.size;
        const std::size_t mask_at = 40 + 4 * palette + colour_bytes;
        ASSERT_EQ(mask_at + row_bytes(c.size, 1) * c.size, image.size());
        bool mask_clear = true;
        for (std::size_t i = mask_at; i < image.size(); ++i) {
            mask_clear = mask_clear && image[i] == 0;
        }
        EXPECT_TRUE(mask_clear) << "AND mask bits are all 0";
        if (c.bits == 32) {
            bool opaque = true;
            for (std::size_t i = 40 + 3; i < mask_at; i += 4) {
                opaque = opaque && image[i] == 255;
            }
            EXPECT_TRUE(opaque) << "every alpha byte is 255";
        }
    }
}

}  // namespace
