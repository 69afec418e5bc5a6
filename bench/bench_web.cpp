// Body transfer through web_access against a bare libcurl transfer of the same body, both from
// the local test server (started here), for bodies of 1 MiB and 16 MiB. Prints the median time
// of web_access over the median of the bare transfer for each size (goal: at most 1.2). Run:
//   bench_web --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "web/web_access.h"

namespace {

constexpr std::int64_t kSizes[] = {1 << 20, 16 << 20};

int http_port = 0;

std::string quoted(const std::string& text) { return "'" + text + "'"; }

bool run_server(const char* command) {
    const std::string line = std::string(VASTREL_PYTHON) + " " + quoted(VASTREL_WEB_SERVER_SCRIPT) +
                             " " + command + " " + quoted(VASTREL_BENCH_SERVER_DIR);
    return std::system(line.c_str()) == 0;
}

bool start_server() {
    if (!run_server("start")) return false;
    std::ifstream ports(std::string(VASTREL_BENCH_SERVER_DIR) + "/ports");
    ports >> http_port;
    return http_port != 0;
}

std::string body_url(std::int64_t size) {
    return "http://127.0.0.1:" + std::to_string(http_port) + "/t/bench/sized?size=" + std::to_string(size);
}

void count_bytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_web_access(benchmark::State& state) {
    const std::string url = body_url(state.range(0));
    for (auto _ : state) {
        const Bytes body = web_access(url);
        if (static_cast<std::int64_t>(body.size()) != state.range(0)) state.SkipWithError("short body");
        benchmark::DoNotOptimize(body.data());
    }
    count_bytes(state);
}

size_t append_body(char* data, size_t size, size_t count, void* body) {
    auto& bytes = *static_cast<std::vector<unsigned char>*>(body);
    const auto* first = reinterpret_cast<const unsigned char*>(data);
    bytes.insert(bytes.end(), first, first + size * count);
    return size * count;
}

// What an HTTP client does at the least: one easy handle, one perform, the body appended.
void BM_bare_libcurl(benchmark::State& state) {
    const std::string url = body_url(state.range(0));
    for (auto _ : state) {
        std::vector<unsigned char> body;
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, append_body);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
        curl_easy_perform(easy);
        curl_easy_cleanup(easy);
        if (static_cast<std::int64_t>(body.size()) != state.range(0)) state.SkipWithError("short body");
        benchmark::DoNotOptimize(body.data());
    }
    count_bytes(state);
}

// Repeated so that the medians shrug off what other processes do to single runs.
constexpr int kRepetitions = 5;
BENCHMARK(BM_bare_libcurl)->Arg(kSizes[0])->Arg(kSizes[1])->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_web_access)->Arg(kSizes[0])->Arg(kSizes[1])->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Repetitions(kRepetitions);

// Keeps every repetition's real time per iteration, by benchmark and size.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::map<std::int64_t, std::vector<double>>> seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
            const std::string name = run.run_name.function_name;
            const std::int64_t size = std::stoll(run.run_name.args);
            seconds[name][size].push_back(run.real_accumulated_time / static_cast<double>(run.iterations));
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double median(const std::string& name, std::int64_t size) {
        std::vector<double>& times = seconds[name][size];
        if (times.empty()) return 0;
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!start_server()) {
        std::fprintf(stderr, "the local test server did not start\n");
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    run_server("stop");
    for (const std::int64_t size : kSizes) {
        const double bare = reporter.median("BM_bare_libcurl", size);
        const double ours = reporter.median("BM_web_access", size);
        if (bare > 0 && ours > 0) {
            std::printf("%lld MiB: web_access / bare libcurl = %.3f\n",
                        static_cast<long long>(size >> 20), ours / bare);
        }
    }
    benchmark::Shutdown();
    return 0;
}
