// Cost per byte of the editing operations on texts of 1 KiB, 64 KiB and 1 MiB, to show
// that each stays linear in its input. Run:
//   bench_editing --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>
#include <utility>

#include "base/editing.h"

namespace {

// Header-like lines with two-byte characters, as the web routines handle them.
constexpr std::string_view kLine = "Set-Cookie: name=\xD7\xD4\xB6\xAF; path=/; Max-Age=60\r\n";

Text sample_text(std::size_t size) {
    Text text;
    while (text.size() < size) text = concat(std::move(text), kLine);
    text.resize(size);
    return text;
}

// Bytes per second, and its inverse: CPU time per byte (shown as e.g. "1.4ns").
void count_bytes(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["time_per_byte"] = benchmark::Counter(
        static_cast<double>(bytes),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void bench_substitute(benchmark::State& state) {
    const Text text = sample_text(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(substitute(text, "path", "Path-Name", std::nullopt, std::nullopt, false));
    }
    count_bytes(state, text.size());
}

void bench_split_by(benchmark::State& state) {
    const Text text = sample_text(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(split_by(text, "; "));
    count_bytes(state, text.size());
}

void bench_find_last(benchmark::State& state) {
    const Text text = sample_text(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(find_last(text, "SET-COOKIE:", std::nullopt, true));
    count_bytes(state, text.size());
}

void bench_trim_spaces(benchmark::State& state) {
    const Text text = concat(spaces(8), sample_text(static_cast<std::size_t>(state.range(0))), spaces(8));
    for (auto _ : state) benchmark::DoNotOptimize(trim_spaces(text));
    count_bytes(state, text.size());
}

// A caller building a text piece by piece hands the growing text back to concat.
void bench_append_loop(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        Text text;
        while (text.size() < size) text = concat(std::move(text), kLine);
        benchmark::DoNotOptimize(text);
    }
    count_bytes(state, size);
}

void sizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
}

}  // namespace

BENCHMARK(bench_substitute)->Apply(sizes);
BENCHMARK(bench_split_by)->Apply(sizes);
BENCHMARK(bench_find_last)->Apply(sizes);
BENCHMARK(bench_trim_spaces)->Apply(sizes);
BENCHMARK(bench_append_loop)->Apply(sizes);
