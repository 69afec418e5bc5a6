// Picture boxes: the libpng decode alone against the whole build of a box (decode, blend,
// scale), and a repaint of a built box (a copy of the box bitmap) against a plain fill of
// the same size. Counters give the bytes a window keeps per box and the decode it frees.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "media/media.h"
#include "ui/picture_pixels.h"

namespace {

constexpr Colour kFace{240, 240, 240};
constexpr int kPaints = 1000;

struct BoxCase {
    Medium medium;
    PictureMode mode;
    std::int32_t width, height;
};
constexpr BoxCase kBoxes[] = {
    {Medium::mascot, PictureMode::stretch, 72, 112},
    {Medium::avatar, PictureMode::stretch, 64, 64},
    {Medium::contact_card, PictureMode::fit, 320, 408},
};

void BM_Decode(benchmark::State& state) {
    const BoxCase& box = kBoxes[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(decode_png(medium_bytes(box.medium)));
}

void BM_BuildBox(benchmark::State& state) {
    const BoxCase& box = kBoxes[state.range(0)];
    std::size_t decoded_bytes = 0, kept_bytes = 0;
    for (auto _ : state) {
        BgraImage built;
        {
            const BgraImage decoded = decode_png(medium_bytes(box.medium));
            decoded_bytes = decoded.pixels.size();
            built = render_picture_box(decoded, box.mode, box.width, box.height, kFace);
        }  // the full-size decode is gone here: only the box-sized bitmap stays
        kept_bytes = built.pixels.size();
        benchmark::DoNotOptimize(built);
    }
    state.counters["decoded_bytes_freed"] = double(decoded_bytes);
    state.counters["box_bytes_kept"] = double(kept_bytes);
}

// The blend and scale part of a build, from a picture decoded beforehand.
void BM_RenderOnly(benchmark::State& state) {
    const BoxCase& box = kBoxes[state.range(0)];
    const BgraImage decoded = decode_png(medium_bytes(box.medium));
    for (auto _ : state) {
        benchmark::DoNotOptimize(render_picture_box(decoded, box.mode, box.width, box.height, kFace));
    }
}

// A repaint is a copy of the built box bitmap onto the window surface.
void BM_RepaintBuiltBox(benchmark::State& state) {
    const BoxCase& box = kBoxes[state.range(0)];
    const BgraImage built =
        render_picture_box(decode_png(medium_bytes(box.medium)), box.mode, box.width, box.height, kFace);
    std::vector<std::uint8_t> surface(built.pixels.size());
    for (auto _ : state) {
        for (int paint = 0; paint < kPaints; ++paint) {
            std::memcpy(surface.data(), built.pixels.data(), surface.size());
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * kPaints);
}

void BM_PlainFill(benchmark::State& state) {
    const BoxCase& box = kBoxes[state.range(0)];
    std::vector<std::uint32_t> surface(std::size_t(box.width) * box.height);
    for (auto _ : state) {
        for (int paint = 0; paint < kPaints; ++paint) {
            std::fill(surface.begin(), surface.end(), 0xFFF0F0F0u);
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * kPaints);
}

// 0: main window mascot, 1: author avatar, 2: contact card.
BENCHMARK(BM_Decode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildBox)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderOnly)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintBuiltBox)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainFill)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
