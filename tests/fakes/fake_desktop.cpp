// The desktop services over an in-memory list of windows.
#include "tests/fakes/fake_desktop.h"

#include <unordered_map>

#include "base/riff.h"

namespace {

struct FakeDesktop {
    std::vector<FakeWindow> windows;
    // Formatted and indexed once, so that listing and measuring cost next to nothing.
    TextList handles;
    std::unordered_map<std::int32_t, std::size_t> positions;
    std::vector<FakeClick> clicks;
    std::vector<FakeSound> sounds;
    std::vector<std::string> urls;
    int physical_depth = 0;
    std::function<void()> observer;
};

FakeDesktop& desktop() {
    static FakeDesktop instance;
    return instance;
}

void index_windows() {
    FakeDesktop& fake = desktop();
    fake.handles.clear();
    fake.positions.clear();
    for (std::size_t position = 0; position < fake.windows.size(); ++position) {
        fake.handles.push_back(std::to_string(fake.windows[position].handle));
        fake.positions.emplace(fake.windows[position].handle, position);
    }
}

void notify_observer() {
    if (desktop().observer) desktop().observer();
}

}  // namespace

void fake_desktop_reset() { desktop() = FakeDesktop{}; }

void fake_desktop_set_windows(std::vector<FakeWindow> windows) {
    desktop().windows = std::move(windows);
    index_windows();
}

const std::vector<FakeClick>& fake_clicks() { return desktop().clicks; }
const std::vector<FakeSound>& fake_sounds() { return desktop().sounds; }
const std::vector<std::string>& fake_opened_urls() { return desktop().urls; }
bool fake_in_physical_pixels() { return desktop().physical_depth > 0; }

void fake_desktop_on_action(std::function<void()> observer) { desktop().observer = std::move(observer); }

TextList list_visible_windows() {
    FakeDesktop& fake = desktop();
    TextList listed = fake.handles;
    if (std::erase_if(fake.windows, [](const FakeWindow& window) { return window.vanishes; }) > 0) index_windows();
    return listed;
}

bool window_rect(std::int32_t handle, RectangleRecord& record) {
    const FakeDesktop& fake = desktop();
    const auto found = fake.positions.find(handle);
    if (found == fake.positions.end() || fake.windows[found->second].query_fails) return false;
    record = fake.windows[found->second].rect;
    return true;
}

void click_at(std::int32_t x, std::int32_t y) {
    desktop().clicks.push_back({x, y, fake_in_physical_pixels()});
    notify_observer();
}

bool play_sound(std::span<const unsigned char> image, bool loop) {
    if (!walk_riff(image)) return false;
    desktop().sounds.push_back({image.size(), loop});
    notify_observer();
    return true;
}

void open_in_browser(std::string_view url) { desktop().urls.emplace_back(url); }

PixelMode enter_physical_pixels() { return desktop().physical_depth++; }

void leave_physical_pixels(PixelMode previous) { desktop().physical_depth = static_cast<int>(previous); }
