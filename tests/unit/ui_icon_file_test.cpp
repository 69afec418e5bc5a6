// Choosing the image of an icon file for a size: exact size with the most colours first.
#include <gtest/gtest.h>

#include <vector>

#include "media/media.h"
#include "ui/icon_file.h"

namespace {

struct Entry {
    int side;
    int bits;
};

// A header, the directory and one byte of image data per entry (entry i at 6 + 16n + i).
std::vector<std::uint8_t> icon_file(const std::vector<Entry>& entries) {
    std::vector<std::uint8_t> file{0, 0, 1, 0, std::uint8_t(entries.size()), 0};
    const std::size_t data = 6 + 16 * entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto offset = std::uint32_t(data + i);
        file.insert(file.end(), {std::uint8_t(entries[i].side), std::uint8_t(entries[i].side), 0, 0, 1, 0,
                                 std::uint8_t(entries[i].bits), 0, 1, 0, 0, 0, std::uint8_t(offset),
                                 std::uint8_t(offset >> 8), 0, 0});
    }
    file.resize(data + entries.size(), 0xAA);
    return file;
}

TEST(IconFile, PicksTheBestImageForTheSize) {
    const std::vector<Entry> sizes{{16, 4}, {32, 4}, {16, 32}, {32, 32}, {48, 8}};
    struct Case {
        const char* name;
        int pixels;
        std::size_t entry;
    };
    const Case cases[] = {
        {"exact size, most bits", 16, 2},
        {"exact size among several", 32, 3},
        {"smallest larger", 24, 3},
        {"largest when none is as large", 64, 4},
    };
    const std::vector<std::uint8_t> file = icon_file(sizes);
    for (const Case& c : cases) {
        const auto image = icon_image_for(file, c.pixels);
        ASSERT_TRUE(image) << c.name;
        EXPECT_EQ(image->offset, 6 + 16 * sizes.size() + c.entry) << c.name;
        EXPECT_EQ(image->size, 1u) << c.name;
    }
}

TEST(IconFile, MalformedFilesGiveNothing) {
    std::vector<std::uint8_t> outside = icon_file({{16, 32}});
    outside[6 + 12] = 0xFF;  // image offset past the end
    std::vector<std::uint8_t> cut = icon_file({{16, 32}, {32, 32}});
    cut.resize(20);  // directory cut short
    std::vector<std::uint8_t> cursor = icon_file({{16, 32}});
    cursor[2] = 2;  // a cursor file, not an icon
    for (const auto& file : {outside, cut, cursor, std::vector<std::uint8_t>{}}) {
        EXPECT_FALSE(icon_image_for(file, 16));
    }
}

TEST(IconFile, ProgramIconHasExactImagesForTheTitleBarSizes) {
    for (int pixels : {16, 32, 48}) {
        const auto image = icon_image_for(medium_bytes(Medium::program_icon), pixels);
        ASSERT_TRUE(image) << pixels;
        // A 32-bit image: header, pixels and AND mask of pixels x pixels.
        EXPECT_EQ(image->size, 40 + 4u * pixels * pixels + (((pixels + 31) / 32) * 4u) * pixels) << pixels;
    }
}

}  // namespace
