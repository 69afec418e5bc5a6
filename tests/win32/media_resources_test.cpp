// The exe-side resources: the icon group the shell and the five modal windows use.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace {

constexpr int kIconImages = 14;

// GRPICONDIR as stored in an RT_GROUP_ICON resource: a 6-byte header, then 14-byte entries.
std::uint16_t group_u16(const unsigned char* group, std::size_t at) {
    return static_cast<std::uint16_t>(group[at] | group[at + 1] << 8);
}

BOOL CALLBACK take_first_name(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    // A numbered group is kept as "#<number>", the resource compilers' notation.
    auto* first = reinterpret_cast<std::string*>(param);
    *first = IS_INTRESOURCE(name) ? "#" : name;
    if (IS_INTRESOURCE(name)) {
        first->append(std::to_string(reinterpret_cast<std::uintptr_t>(name)));
    }
    return FALSE;
}

TEST(MediaResources, DefaultIconIsTheFirstLanguageNeutralIconGroup) {
    std::string first;
    EnumResourceNamesA(nullptr, RT_GROUP_ICON, take_first_name, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, "DEFAULT_ICON");

    const HRSRC group = FindResourceExA(nullptr, RT_GROUP_ICON, "DEFAULT_ICON", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(directory, nullptr);
    ASSERT_EQ(SizeofResource(nullptr, group), 6u + 14u * kIconImages);
    EXPECT_EQ(group_u16(directory, 2), 1) << "type: icon";
    ASSERT_EQ(group_u16(directory, 4), kIconImages);
    for (int i = 0; i < kIconImages; ++i) {
        const std::uint16_t id = group_u16(directory, 6 + 14 * i + 12);
        EXPECT_NE(FindResourceExA(nullptr, RT_ICON, MAKEINTRESOURCEA(id), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)),
                  nullptr)
            << "image " << i + 1;
    }
}

// What a window of the program gets when it asks for its icon by the group's name.
TEST(MediaResources, DefaultIconLoadsAtTitleBarAndTaskBarSizes) {
    for (const int size : {16, 32}) {
        const HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), "DEFAULT_ICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        EXPECT_NE(icon, nullptr) << size;
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

}  // namespace
