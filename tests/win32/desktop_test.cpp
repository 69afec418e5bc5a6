// The Windows desktop services against real windows of another process (prompt_window).
#include <windows.h>
#include <mmsystem.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "base/desktop.h"
#include "media/media.h"
#include "tests/win32/prompt_driver.h"

namespace {

bool is_listed(const TextList& listed, std::int32_t handle) {
    return std::find(listed.begin(), listed.end(), std::to_string(handle)) != listed.end();
}

HWND window_of(std::int32_t handle) { return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle)); }

bool same_rect(const RectangleRecord& a, const RectangleRecord& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A valid image of the given PCM samples, 8-bit mono at 8000 Hz.
Bytes wave_image(std::size_t sample_count) {
    const unsigned char header[] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                                    'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
                                    0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0,
                                    'd', 'a', 't', 'a', 0, 0, 0, 0};
    Bytes image(sizeof header + sample_count, 0x80);
    std::copy(std::begin(header), std::end(header), image.begin());
    for (int shift = 0; shift < 32; shift += 8) image[40 + shift / 8] = static_cast<unsigned char>(sample_count >> shift);
    return image;
}

Bytes with_byte(Bytes image, std::size_t offset, unsigned char value) {
    image[offset] = value;
    return image;
}

// The start address of a thread, as the system recorded it when the thread was created.
void* start_address(HANDLE thread) {
    constexpr auto kWin32StartAddress = static_cast<THREADINFOCLASS>(9);
    void* address = nullptr;
    NtQueryInformationThread(thread, kWin32StartAddress, &address, sizeof address, nullptr);
    return address;
}

// The process's running std::thread threads: those that share the start routine of a
// probe std::thread. (The threads the sound system starts for itself have other ones.)
std::size_t running_std_threads() {
    void* routine = nullptr;
    std::thread([&routine] { routine = start_address(GetCurrentThread()); }).join();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::size_t count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId()) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread == nullptr) continue;
        if (start_address(thread) == routine) ++count;
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return count;
}

TEST(DesktopTest, PlaybackWithoutADeviceEndsAtOnce) {
    if (waveOutGetNumDevs() != 0) GTEST_SKIP() << "this system has a wave output device";
    for (int playback = 0; playback < 10; ++playback) ASSERT_TRUE(play_sound(wave_image(400), playback % 2 == 0));
    std::size_t running = running_std_threads();
    for (int wait = 0; wait < 100 && running > 0; ++wait) {
        Sleep(50);
        running = running_std_threads();
    }
    EXPECT_EQ(running, 0u);
}

struct SizeCase {
    const char* name;
    const char* shape;
    std::int32_t width;
    std::int32_t height;
};

TEST(DesktopTest, ListsAndMeasuresTheOuterRectangleOfEachWindow) {
    const SizeCase cases[] = {
        {"prompt 300x322", "300x322@600,40", 300, 322},
        {"prompt 186x200", "186x200@400,60", 186, 200},
        {"main window short form", "284x141@60,500", 284, 141},
        {"contact window", "318x435@40,40", 318, 435},
        {"placed by the system", "200x150", 200, 150},
    };
    std::vector<std::string> arguments;
    for (const SizeCase& c : cases) arguments.emplace_back(c.shape);
    PromptProcess prompts;
    ASSERT_TRUE(start_prompts(prompts, arguments));
    ASSERT_EQ(prompts.windows.size(), std::size(cases));

    const TextList listed = list_visible_windows();
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        const SizeCase& c = cases[index];
        const PromptWindow& window = prompts.windows[index];
        EXPECT_TRUE(is_listed(listed, window.handle)) << c.name;
        RectangleRecord record;
        ASSERT_TRUE(window_rect(window.handle, record)) << c.name;
        EXPECT_TRUE(same_rect(record, window.rect)) << c.name;
        EXPECT_EQ(record.right - record.left, c.width) << c.name;
        EXPECT_EQ(record.bottom - record.top, c.height) << c.name;
    }
}

TEST(DesktopTest, ListsEveryHandleAsSignedDecimalText) {
    const TextList listed = list_visible_windows();
    for (const Text& handle : listed) {
        ASSERT_FALSE(handle.empty());
        const char* digits = handle.c_str() + (handle[0] == '-' ? 1 : 0);
        EXPECT_TRUE(*digits != '\0' && std::all_of(digits, handle.c_str() + handle.size(),
                                                   [](char c) { return c >= '0' && c <= '9'; }))
            << handle;
        EXPECT_TRUE(IsWindow(window_of(std::stoi(handle)))) << handle;
    }
}

TEST(DesktopTest, HiddenWindowsAreNotListed) {
    PromptProcess prompts;
    ASSERT_TRUE(start_prompts(prompts, {"200x200@700,500/hidden", "200x200@420,500"}));
    const std::int32_t first = prompts.windows.at(0).handle;
    const std::int32_t second = prompts.windows.at(1).handle;
    TextList listed = list_visible_windows();
    EXPECT_FALSE(is_listed(listed, first));
    EXPECT_TRUE(is_listed(listed, second));

    send_command(prompts, "show 1");
    EXPECT_EQ(next_report(prompts), "shown 1");
    send_command(prompts, "hide 2");
    EXPECT_EQ(next_report(prompts), "hidden 2");
    listed = list_visible_windows();
    EXPECT_TRUE(is_listed(listed, first));
    EXPECT_FALSE(is_listed(listed, second));
}

TEST(DesktopTest, ListsAHundredWindows) {
    std::vector<std::string> arguments;
    for (int index = 0; index < 100; ++index)
        arguments.push_back("150x100@" + std::to_string(10 + index * 7) + "," + std::to_string(10 + index * 5));
    PromptProcess prompts;
    ASSERT_TRUE(start_prompts(prompts, arguments));
    ASSERT_EQ(prompts.windows.size(), 100u);
    const TextList listed = list_visible_windows();
    for (const PromptWindow& window : prompts.windows) {
        EXPECT_EQ(std::count(listed.begin(), listed.end(), std::to_string(window.handle)), 1) << window.handle;
    }
}

TEST(DesktopTest, QueryOfAClosedWindowFailsAndKeepsTheRecord) {
    std::int32_t handle = 0;
    {
        PromptProcess prompts;
        ASSERT_TRUE(start_prompts(prompts, {"200x200@100,100"}));
        handle = prompts.windows.at(0).handle;
    }
    RectangleRecord record{1, 2, 3, 4};
    EXPECT_FALSE(window_rect(handle, record));
    EXPECT_TRUE(same_rect(record, {1, 2, 3, 4}));
    EXPECT_FALSE(is_listed(list_visible_windows(), handle));
}

struct ClickCase {
    const char* name;
    std::int32_t client_x;
    std::int32_t client_y;
};

// Whether the cursor is at the point, or gets there within a second: under Wine another
// process sees the cursor move only once the desktop has handled the input.
bool cursor_reaches(std::int32_t x, std::int32_t y) {
    for (int wait = 0; wait < 100; ++wait) {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (cursor.x == x && cursor.y == y) return true;
        Sleep(10);
    }
    return false;
}

// The helper's report of a button event on its first window.
std::string report_line(std::string verb, const ClickCase& click) {
    verb += " 1 ";
    verb += std::to_string(click.client_x);
    verb += ' ';
    verb += std::to_string(click.client_y);
    return verb;
}

TEST(DesktopTest, ClickArrivesAtTheClientPointAndLeavesTheCursorThere) {
    PromptProcess prompts;
    ASSERT_TRUE(start_prompts(prompts, {"--topmost", "300x322@600,300"}));
    POINT origin{0, 0};
    ASSERT_TRUE(ClientToScreen(window_of(prompts.windows.at(0).handle), &origin));
    const RectangleRecord outer = prompts.windows.at(0).rect;
    // The check-in point of the window: its horizontal centre, 0.34 of its height below
    // its vertical centre.
    const std::int32_t checkin_x = (outer.left + outer.right) / 2;
    const std::int32_t checkin_y = (outer.top + outer.bottom) / 2 + static_cast<std::int32_t>(322 * 0.34);
    const ClickCase cases[] = {
        {"check-in point", checkin_x - origin.x, checkin_y - origin.y},
        {"client origin", 0, 0},
        {"odd point", 17, 233},
        {"near the bottom-right corner", 280, 280},
        // Back to back, as in a tick with several prompts.
        {"sweep 1", 37, 53}, {"sweep 2", 74, 106}, {"sweep 3", 111, 159}, {"sweep 4", 148, 212},
        {"sweep 5", 185, 265}, {"sweep 6", 222, 28}, {"sweep 7", 259, 81}, {"sweep 8", 6, 134},
    };
    for (const ClickCase& c : cases) {
        const std::int32_t x = origin.x + c.client_x;
        const std::int32_t y = origin.y + c.client_y;
        click_at(x, y);
        EXPECT_EQ(next_report(prompts), report_line("down", c)) << c.name;
        EXPECT_EQ(next_report(prompts), report_line("up", c)) << c.name;
        EXPECT_TRUE(cursor_reaches(x, y)) << c.name;
    }
}

struct SoundCase {
    const char* name;
    Bytes image;
    bool loop;
    bool started;
};

TEST(DesktopTest, PlaySoundStartsValidImagesAndRejectsBrokenOnes) {
    const std::span<const unsigned char> checkin = medium_bytes(Medium::checkin_sound);
    const SoundCase cases[] = {
        {"check-in sound", Bytes(checkin.begin(), checkin.end()), false, true},
        {"check-in sound looping", Bytes(checkin.begin(), checkin.end()), true, true},
        {"short test image", wave_image(400), false, true},
        {"more than 20 blocks", wave_image(20 * 15360 + 7), false, true},
        {"empty data", wave_image(0), true, true},
        {"wrong magic", with_byte(wave_image(400), 0, 'X'), false, false},
        {"not WAVE", with_byte(wave_image(400), 8, 'X'), false, false},
        {"truncated header", Bytes(30, 0), false, false},
        {"no data chunk", with_byte(wave_image(400), 36, 'X'), false, false},
    };
    for (const SoundCase& c : cases) EXPECT_EQ(play_sound(c.image, c.loop), c.started) << c.name;
}

TEST(DesktopTest, PhysicalPixelModeIsEnteredAndLeft) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto get = reinterpret_cast<DPI_AWARENESS_CONTEXT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto equal = reinterpret_cast<BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT)>(
        reinterpret_cast<void*>(GetProcAddress(user32, "AreDpiAwarenessContextsEqual")));
    if (get == nullptr || equal == nullptr) GTEST_SKIP() << "no per-thread DPI awareness on this system";
    const DPI_AWARENESS_CONTEXT before = get();
    const PixelMode previous = enter_physical_pixels();
    const DPI_AWARENESS_CONTEXT during = get();
    EXPECT_TRUE(equal(during, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) ||
                equal(during, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE));
    leave_physical_pixels(previous);
    EXPECT_TRUE(equal(get(), before));
}

}  // namespace
