// Picture boxes: PNG decoding (good and bad files), display-mode placement, blending
// against the background and the box bitmap rendered from them.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "ui/picture_pixels.h"

namespace {

constexpr Colour kFace{240, 240, 240};

// A PNG written by libpng's simplified writer from 8-bit RGBA or RGB rows.
std::vector<std::uint8_t> encode_png(std::int32_t width, std::int32_t height,
                                     const std::vector<std::uint8_t>& pixels, bool alpha) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr));
    std::vector<std::uint8_t> file(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, file.data(), &size, 0, pixels.data(), 0, nullptr));
    return file;
}

// A bare signature + IHDR + IEND file with the given dimensions and valid checksums.
std::vector<std::uint8_t> header_only_png(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto put32 = [&](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) file.push_back(std::uint8_t(v >> shift));
    };
    auto chunk = [&](const char* type, std::vector<std::uint8_t> data) {
        put32(std::uint32_t(data.size()));
        const std::size_t start = file.size();
        file.insert(file.end(), type, type + 4);
        file.insert(file.end(), data.begin(), data.end());
        put32(std::uint32_t(crc32(0, &file[start], std::uint32_t(file.size() - start))));
    };
    std::vector<std::uint8_t> ihdr;
    for (std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) ihdr.push_back(std::uint8_t(v >> shift));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    chunk("IHDR", ihdr);
    chunk("IEND", {});
    return file;
}

BgraImage solid(std::int32_t width, std::int32_t height, std::uint8_t b, std::uint8_t g, std::uint8_t r,
                std::uint8_t a) {
    BgraImage image{width, height, {}};
    for (std::int32_t i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), {b, g, r, a});
    return image;
}

std::vector<std::uint8_t> pixel_at(const BgraImage& image, std::int32_t x, std::int32_t y) {
    const auto at = (std::size_t(y) * image.width + x) * 4;
    return {image.pixels.begin() + at, image.pixels.begin() + at + 4};
}

TEST(PicturePlacement, FollowsTheDisplayMode) {
    struct Case {
        const char* name;
        PictureMode mode;
        std::int32_t picture_w, picture_h, box_w, box_h;
        Placement expected;
    };
    const Case cases[] = {
        {"stretch ignores proportions", PictureMode::stretch, 1072, 1500, 72, 112, {0, 0, 72, 112}},
        {"fit contact card: height bound, width truncated, centred", PictureMode::fit, 540, 740, 320, 408,
         {11, 0, 297, 408}},
        {"fit wide picture: width bound", PictureMode::fit, 1000, 100, 100, 100, {0, 45, 100, 10}},
        {"fit square into square", PictureMode::fit, 1500, 1500, 64, 64, {0, 0, 64, 64}},
        {"fit never enlarges, centred", PictureMode::fit, 10, 11, 320, 408, {155, 198, 10, 11}},
        {"fit one side too big", PictureMode::fit, 400, 10, 320, 408, {0, 200, 320, 8}},
        {"natural: own size at the corner", PictureMode::natural, 500, 30, 72, 112, {0, 0, 500, 30}},
    };
    for (const Case& c : cases) {
        const Placement got = place_picture(c.mode, c.picture_w, c.picture_h, c.box_w, c.box_h);
        EXPECT_EQ((std::vector{got.left, got.top, got.width, got.height}),
                  (std::vector{c.expected.left, c.expected.top, c.expected.width, c.expected.height}))
            << c.name;
    }
}

TEST(PictureBlend, MixesByAlphaAndTruncates) {
    struct Case {
        const char* name;
        std::uint8_t picture, background, alpha, expected;
    };
    const Case cases[] = {
        {"transparent shows the background", 0, 240, 0, 240},
        {"opaque shows the picture", 17, 240, 255, 17},
        {"half", 255, 0, 128, 128},
        {"truncated, not rounded", 200, 50, 100, 108},  // 108.82
        {"faint white over black", 255, 0, 1, 1},
        {"almost opaque", 0, 255, 254, 1},
    };
    for (const Case& c : cases) {
        const BgraImage picture{1, 1, {c.picture, c.picture, c.picture, c.alpha}};
        const Colour background{c.background, c.background, c.background};
        const BgraImage box = render_picture_box(picture, PictureMode::natural, 1, 1, background);
        EXPECT_EQ(pixel_at(box, 0, 0), (std::vector<std::uint8_t>{c.expected, c.expected, c.expected, 255}))
            << c.name;
    }
}

TEST(PictureBox, TransparentPartsShowTheBackgroundColour) {
    // Left column opaque red, right column fully transparent green, stretched to 4 x 2.
    BgraImage picture{2, 1, {0, 0, 255, 255, 0, 255, 0, 0}};
    const BgraImage box = render_picture_box(picture, PictureMode::stretch, 4, 2, kFace);
    ASSERT_EQ(box.pixels.size(), 4u * 2 * 4);
    for (std::int32_t y = 0; y < 2; ++y) {
        EXPECT_EQ(pixel_at(box, 1, y), (std::vector<std::uint8_t>{0, 0, 255, 255}));
        EXPECT_EQ(pixel_at(box, 2, y), (std::vector<std::uint8_t>{240, 240, 240, 255}));
    }
}

TEST(PictureBox, ShrinkingAveragesTheBlendedPixels) {
    // Two opaque black pixels and two transparent ones average to half the background.
    BgraImage picture{2, 2, {0, 0, 0, 255, 9, 9, 9, 0, 0, 0, 0, 255, 9, 9, 9, 0}};
    const BgraImage box = render_picture_box(picture, PictureMode::stretch, 1, 1, kFace);
    EXPECT_EQ(pixel_at(box, 0, 0), (std::vector<std::uint8_t>{120, 120, 120, 255}));
}

TEST(PictureBox, FitLeavesBackgroundAroundThePicture) {
    const BgraImage box = render_picture_box(solid(540, 740, 0, 0, 200, 255), PictureMode::fit, 320, 408, kFace);
    const std::vector<std::uint8_t> face{240, 240, 240, 255}, card{0, 0, 200, 255};
    for (std::int32_t y : {0, 200, 407}) {
        EXPECT_EQ(pixel_at(box, 10, y), face) << y;
        EXPECT_EQ(pixel_at(box, 11, y), card) << y;
        EXPECT_EQ(pixel_at(box, 307, y), card) << y;
        EXPECT_EQ(pixel_at(box, 308, y), face) << y;
    }
}

TEST(PictureBox, NaturalModeClipsToTheBox) {
    const BgraImage box = render_picture_box(solid(3, 50, 1, 2, 3, 255), PictureMode::natural, 4, 4, kFace);
    EXPECT_EQ(pixel_at(box, 2, 3), (std::vector<std::uint8_t>{1, 2, 3, 255}));
    EXPECT_EQ(pixel_at(box, 3, 0), (std::vector<std::uint8_t>{240, 240, 240, 255}));
}

TEST(PictureDecode, GivesBgraWithAlphaAndOpaqueForRgb) {
    struct Case {
        const char* name;
        bool alpha;
        std::vector<std::uint8_t> stored;    // one pixel, RGB(A)
        std::vector<std::uint8_t> expected;  // BGRA
    };
    const Case cases[] = {
        {"colour type 6", true, {10, 20, 30, 40}, {30, 20, 10, 40}},
        {"colour type 2", false, {10, 20, 30}, {30, 20, 10, 255}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> rows;
        for (int i = 0; i < 6; ++i) rows.insert(rows.end(), c.stored.begin(), c.stored.end());
        const BgraImage image = decode_png(encode_png(3, 2, rows, c.alpha));
        EXPECT_EQ(image.width, 3) << c.name;
        EXPECT_EQ(image.height, 2) << c.name;
        ASSERT_EQ(image.pixels.size(), 24u) << c.name;
        EXPECT_EQ(pixel_at(image, 2, 1), c.expected) << c.name;
    }
}

TEST(PictureDecode, BadFilesGiveNoPictureAndAPlainBackground) {
    const std::vector<std::uint8_t> good = encode_png(4, 4, std::vector<std::uint8_t>(64, 77), true);
    std::vector<std::uint8_t> wrong_signature = good;
    wrong_signature[1] = 'Q';
    const struct {
        const char* name;
        std::vector<std::uint8_t> file;
    } cases[] = {
        {"empty", {}},
        {"wrong signature", wrong_signature},
        {"truncated after the header", {good.begin(), good.begin() + 40}},
        {"truncated image data", {good.begin(), good.end() - 20}},
        {"absurd dimensions", header_only_png(100000, 100000)},
        {"too many pixels", header_only_png(5000, 5000)},
        {"zero width", header_only_png(0, 10)},
    };
    for (const auto& c : cases) {
        const BgraImage image = decode_png(c.file);
        EXPECT_EQ(image.width, 0) << c.name;
        EXPECT_TRUE(image.pixels.empty()) << c.name;
        const BgraImage box = render_picture_box(image, PictureMode::stretch, 3, 2, kFace);
        EXPECT_EQ(box.pixels, solid(3, 2, 240, 240, 240, 255).pixels) << c.name;
    }
}

}  // namespace
