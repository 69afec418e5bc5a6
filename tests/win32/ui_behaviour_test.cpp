// The Win32 toolkit's behaviour on real windows: picture boxes as painted, placement
// beyond the screen, keys, modal display and timers inside modal loops.
#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/win32_probe.h"

namespace {

// --- pictures ---------------------------------------------------------------------

std::vector<std::uint8_t> encode_png(int width, int height, const std::vector<std::uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::vector<std::uint8_t> file(size);
    png_image_write_to_memory(&image, file.data(), &size, 0, rgba.data(), 0, nullptr);
    return file;
}

// Left half fully transparent green, right half opaque blue.
std::vector<std::uint8_t> half_transparent_png() {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) rgba.insert(rgba.end(), {0, std::uint8_t(x < 2 ? 255 : 0), std::uint8_t(x < 2 ? 0 : 255), std::uint8_t(x < 2 ? 0 : 255)});
    return encode_png(4, 4, rgba);
}

std::vector<std::uint8_t> opaque_red_png(int width, int height) {
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < width * height; ++i) rgba.insert(rgba.end(), {255, 0, 0, 255});
    return encode_png(width, height, rgba);
}

COLORREF painted(const WindowDefinition& window, std::string_view control, int x, int y) {
    HWND hwnd = control_handle(window, control);
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}

const COLORREF kRed = RGB(255, 0, 0);

class PictureBox : public testing::Test {
protected:
    void TearDown() override {
        for (const WindowDefinition* window : kAllWindows) {
            if (HWND frame = window_handle(*window)) DestroyWindow(frame);
        }
        for (Picture picture : {Picture::mascot, Picture::avatar, Picture::contact_card}) {
            replace_picture_file(picture, {});
        }
    }
};

TEST_F(PictureBox, TransparentPartsPaintInTheButtonFaceColour) {
    const std::vector<std::uint8_t> file = half_transparent_png();
    replace_picture_file(Picture::mascot, file);
    open_window(kMainWindow);
    EXPECT_EQ(painted(kMainWindow, "图片框1", 10, 50), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(painted(kMainWindow, "图片框1", 60, 50), RGB(0, 0, 255));
}

TEST_F(PictureBox, EmbeddedMascotAndAvatarShowTheButtonFaceAtTheirTransparentCorner) {
    open_window(kMainWindow);
    open_window(kAuthorWindow);
    EXPECT_EQ(painted(kMainWindow, "图片框1", 0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(painted(kAuthorWindow, "图片框1", 0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST_F(PictureBox, ContactCardFitsTheHeightCentredWithTheLeftMarginCut) {
    const std::vector<std::uint8_t> file = opaque_red_png(540, 740);
    replace_picture_file(Picture::contact_card, file);
    open_window(kContactWindow);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y : {0, 200, 407}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(painted(kContactWindow, "图片框1", 10, y), face);
        EXPECT_EQ(painted(kContactWindow, "图片框1", 11, y), kRed);  // 297 wide: 11..307
        EXPECT_EQ(painted(kContactWindow, "图片框1", 307, y), kRed);
        EXPECT_EQ(painted(kContactWindow, "图片框1", 308, y), face);
    }
    RECT box{};
    GetWindowRect(control_handle(kContactWindow, "图片框1"), &box);
    MapWindowPoints(nullptr, window_handle(kContactWindow), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, -8);  // the 8 background columns left of the card are not seen
}

TEST_F(PictureBox, UndecodableFilesLeaveOnlyTheBackground) {
    const std::vector<std::uint8_t> good = opaque_red_png(30, 30);
    std::vector<std::uint8_t> wrong_signature = good;
    wrong_signature[0] = 'X';
    std::vector<std::uint8_t> huge = good;  // IHDR width 0x7FFF0000 (checksum no longer matches)
    huge[16] = 0x7F;
    huge[17] = 0xFF;
    const std::vector<std::uint8_t> truncated{good.begin(), good.begin() + good.size() / 2};
    for (const auto& file : {truncated, wrong_signature, huge, std::vector<std::uint8_t>{0x89}}) {
        SCOPED_TRACE(file.size());
        replace_picture_file(Picture::mascot, file);
        open_window(kMainWindow);
        for (auto [x, y] : {std::pair{0, 0}, {36, 56}, {71, 90}}) {  // the box reaches below the client area
            EXPECT_EQ(painted(kMainWindow, "图片框1", x, y), GetSysColor(COLOR_BTNFACE)) << x << "," << y;
        }
        DestroyWindow(window_handle(kMainWindow));
    }
}

// --- windows of the test's own -----------------------------------------------------

int button_presses = 0;
int owner_ticks = 0;
int modal_ticks = 0;
int owner_ticks_at_modal_open = -1;
bool owner_enabled_in_modal = true;
bool open_right_after_close = false;
HWND modal_owner_window = nullptr;

void press_button() { ++button_presses; }
void count_owner_tick() { ++owner_ticks; }
void open_modal();
void modal_tick();
// Ends a loop that the behaviour under test failed to end.
void watchdog_tick();
int watchdog_ticks = 0;
// Records the focus once the posted keys have been handled, then closes.
void focus_probe();
HWND focus_seen = nullptr;
constexpr int kWatchdogLimit = 150;

constexpr HandlerBinding kBindings[] = {
    {"press_button", press_button}, {"owner_tick", count_owner_tick}, {"open_modal", open_modal},
    {"modal_tick", modal_tick},     {"watchdog_tick", watchdog_tick}, {"focus_probe", focus_probe},
};

constexpr ControlDefinition kOwnerControls[] = {
    {.name = "按钮1", .kind = ControlKind::button, .left = 8, .top = 8, .width = 80, .height = 24,
     .caption = "打开", .handler = "open_modal"},
    {.name = "时钟1", .kind = ControlKind::timer, .handler = "owner_tick", .period_ms = 15},
};
constexpr ControlDefinition kModalControls[] = {
    {.name = "时钟1", .kind = ControlKind::timer, .handler = "modal_tick", .period_ms = 15},
};
constexpr ControlDefinition kKeyControls[] = {
    {.name = "按钮1", .kind = ControlKind::button, .left = 8, .top = 8, .width = 80, .height = 24,
     .caption = "按", .handler = "press_button"},
    {.name = "时钟1", .kind = ControlKind::timer, .handler = "watchdog_tick", .period_ms = 20},
};
constexpr ControlDefinition kTabControls[] = {
    {.name = "按钮1", .kind = ControlKind::button, .left = 8, .top = 8, .width = 40, .height = 24, .caption = "一"},
    {.name = "标签1", .kind = ControlKind::label, .left = 50, .top = 8, .width = 40, .height = 24, .caption = "二"},
    {.name = "按钮2", .kind = ControlKind::button, .left = 92, .top = 8, .width = 40, .height = 24, .caption = "三"},
    {.name = "时钟1", .kind = ControlKind::timer, .handler = "focus_probe", .period_ms = 20},
};
constexpr ControlDefinition kNoControls[] = {
    {.name = "标签1", .kind = ControlKind::label, .left = 0, .top = 0, .width = 10, .height = 10},
};

const WindowDefinition kOwner{.title = "主", .width = 200, .height = 100, .controls = kOwnerControls};
const WindowDefinition kModal{.title = "模态", .width = 150, .height = 80, .controls = kModalControls};
const WindowDefinition kKeys{.title = "键", .width = 150, .height = 80, .controls = kKeyControls};
const WindowDefinition kTab{.title = "焦点", .width = 150, .height = 80, .controls = kTabControls};
const WindowDefinition kTall{.title = "高", .width = 300, .height = 1001, .controls = kNoControls};

void open_modal() { show_modal(kModal); }

void focus_probe() {
    focus_seen = GetFocus();
    close_window(kTab);
}

void modal_tick() {
    if (++modal_ticks == 1) {
        owner_ticks_at_modal_open = owner_ticks;
        owner_enabled_in_modal = IsWindowEnabled(window_handle(kOwner));
        modal_owner_window = GetWindow(window_handle(kModal), GW_OWNER);
    }
    if (owner_ticks >= owner_ticks_at_modal_open + 3 || modal_ticks > kWatchdogLimit) {
        close_window(kModal);
        open_right_after_close = is_open(kModal);
    }
}

void watchdog_tick() {
    if (++watchdog_ticks > kWatchdogLimit) close_window(kKeys);
}

class OwnWindows : public testing::Test {
protected:
    void SetUp() override {
        bind_handlers(kBindings);
        button_presses = owner_ticks = modal_ticks = watchdog_ticks = 0;
    }
    void TearDown() override {
        for (const WindowDefinition* window : {&kOwner, &kModal, &kKeys, &kTab, &kTall}) {
            if (HWND frame = window_handle(*window)) DestroyWindow(frame);
        }
    }
};

TEST_F(OwnWindows, ModalWindowDisablesTheOthersWhileTimersGoOn) {
    open_window(kOwner);
    HWND owner = window_handle(kOwner);
    SendMessageW(control_handle(kOwner, "按钮1"), BM_CLICK, 0, 0);  // returns once the modal closed
    EXPECT_LE(modal_ticks, kWatchdogLimit);
    EXPECT_GE(owner_ticks, owner_ticks_at_modal_open + 3);
    EXPECT_FALSE(owner_enabled_in_modal);
    EXPECT_EQ(modal_owner_window, owner);
    EXPECT_TRUE(open_right_after_close);
    EXPECT_FALSE(is_open(kModal));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(OwnWindows, ShowModalOfAnOpenWindowReturnsAtOnce) {
    open_window(kModal);
    show_modal(kModal);
    EXPECT_TRUE(is_open(kModal));
    EXPECT_EQ(modal_ticks, 0);
}

TEST_F(OwnWindows, EscClosesEnterAndF1DoNothing) {
    open_window(kKeys);
    HWND button = control_handle(kKeys, "按钮1");
    for (WPARAM key : {VK_RETURN, VK_F1, VK_ESCAPE}) PostMessageW(button, WM_KEYDOWN, key, 0);
    run_message_loop();
    EXPECT_FALSE(is_open(kKeys));
    EXPECT_LE(watchdog_ticks, kWatchdogLimit);
    EXPECT_EQ(button_presses, 0);
}

TEST_F(OwnWindows, SpaceClicksTheFocusedButton) {
    open_window(kKeys);
    HWND button = control_handle(kKeys, "按钮1");
    SetFocus(button);
    PostMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(button, WM_KEYUP, VK_SPACE, 0xC0000001);
    PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0);
    run_message_loop();
    EXPECT_EQ(button_presses, 1);
}

TEST_F(OwnWindows, TabMovesTheFocusPastLabels) {
    open_window(kTab);
    HWND first = control_handle(kTab, "按钮1");
    HWND second = control_handle(kTab, "按钮2");
    SetFocus(first);
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 0);
    run_message_loop();
    EXPECT_EQ(focus_seen, second);
}

TEST_F(OwnWindows, WindowTallerThanTheScreenOpensAtANegativeTruncatedTop) {
    open_window(kTall);
    RECT rect{};
    GetWindowRect(window_handle(kTall), &rect);
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_LT(screen, 1001);
    EXPECT_EQ(rect.top, (screen - 1001) / 2);  // e.g. 768: -116, not -117
    EXPECT_EQ(rect.bottom - rect.top, 1001);
}

}  // namespace
