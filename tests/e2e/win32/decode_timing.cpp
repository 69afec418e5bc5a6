// Times the libpng decode of the embedded mascot alone, with the decode function the
// picture boxes use, several times in one process; prints one line of JSON with each
// run's milliseconds (the first is the cold one, as in the program's start-up).
// Usage: e2e_decode_timing.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "media/media.h"
#include "ui/picture_pixels.h"

namespace {

double milliseconds_between(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 9;
    std::string json = "{\"decode_ms\":[";
    int width = 0, height = 0;
    for (int run = 0; run < runs; ++run) {
        LARGE_INTEGER started{}, ended{};
        QueryPerformanceCounter(&started);
        const BgraImage decoded = decode_png(medium_bytes(Medium::mascot));
        QueryPerformanceCounter(&ended);
        width = decoded.width;
        height = decoded.height;
        char number[32];
        std::snprintf(number, sizeof number, "%s%.2f", run ? "," : "", milliseconds_between(started, ended));
        json += number;
    }
    json += "],\"width\":" + std::to_string(width) + ",\"height\":" + std::to_string(height) + "}";
    std::puts(json.c_str());
    return width > 0 ? 0 : 1;
}
