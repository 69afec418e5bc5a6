// The scanner's own cost per window over fake desktops without a prompt, the fake's bare
// calls for comparison, and the heap after many ticks (a counting allocator).
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "app/scanner.h"
#include "tests/fakes/fake_desktop.h"

namespace {

std::atomic<long long> live_heap_bytes{0};

void* counted_allocation(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    live_heap_bytes += static_cast<long long>(malloc_usable_size(block));
    return block;
}

void counted_release(void* block) {
    if (block == nullptr) return;
    live_heap_bytes -= static_cast<long long>(malloc_usable_size(block));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return counted_allocation(size); }
void* operator new[](std::size_t size) { return counted_allocation(size); }
void operator delete(void* block) noexcept { counted_release(block); }
void operator delete[](void* block) noexcept { counted_release(block); }
void operator delete(void* block, std::size_t) noexcept { counted_release(block); }
void operator delete[](void* block, std::size_t) noexcept { counted_release(block); }

namespace {

// Main-window-sized windows (284x141, ratio 2.01): listed and measured, never a prompt.
void fill_desktop(std::int32_t windows) {
    std::vector<FakeWindow> desktop;
    for (std::int32_t index = 0; index < windows; ++index) {
        const std::int32_t left = (index * 37) % 800;
        const std::int32_t top = (index * 23) % 600;
        desktop.push_back({0x10000 + index * 4, {left, top, left + 284, top + 141}});
    }
    fake_desktop_reset();
    fake_desktop_set_windows(std::move(desktop));
}

void per_window(benchmark::State& state) {
    state.counters["per_window"] =
        benchmark::Counter(static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ScanTick(benchmark::State& state) {
    fill_desktop(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) scan_tick();
    per_window(state);
}
BENCHMARK(BM_ScanTick)->Arg(10)->Arg(64)->Arg(1000);

// What the fake itself costs per tick: the same listing and measuring, nothing else.
void BM_FakeCallsOnly(benchmark::State& state) {
    fill_desktop(static_cast<std::int32_t>(state.range(0)));
    RectangleRecord record;
    for (auto _ : state) {
        const PixelMode mode = enter_physical_pixels();
        const TextList listed = list_visible_windows();
        for (const Text& handle : listed) window_rect(std::atoi(handle.c_str()), record);
        leave_physical_pixels(mode);
        benchmark::DoNotOptimize(record);
    }
    per_window(state);
}
BENCHMARK(BM_FakeCallsOnly)->Arg(10)->Arg(64)->Arg(1000);

// The heap held after the first tick and after 100,000 ticks over 64 windows.
void BM_HeapAfterTicks(benchmark::State& state) {
    constexpr int kTicks = 100000;
    fill_desktop(64);
    for (auto _ : state) {
        scan_tick();
        const long long after_first = live_heap_bytes;
        for (int tick = 1; tick < kTicks; ++tick) scan_tick();
        const long long after_all = live_heap_bytes;
        state.counters["heap_after_first"] = static_cast<double>(after_first);
        state.counters["heap_after_100000"] = static_cast<double>(after_all);
        state.counters["heap_growth"] = static_cast<double>(after_all - after_first);
    }
}
BENCHMARK(BM_HeapAfterTicks)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
