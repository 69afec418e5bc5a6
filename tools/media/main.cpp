// make_media OUTPUT_DIR: draws the five media files and writes them into OUTPUT_DIR.
// The output is the same bytes on every run.
#include "tools/media/media_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct MediaFile {
    const char* name;
    ByteVector (*make)();
};

constexpr MediaFile kFiles[] = {
    {"mascot.png", mascot_png},
    {"avatar.png", avatar_png},
    {"contact_card.png", contact_card_png},
    {"checkin.wav", checkin_wav},
    {"program.ico", program_ico},
};

bool write_file(const std::filesystem::path& path, const ByteVector& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_media OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const MediaFile& file : kFiles) {
        const ByteVector bytes = file.make();
        if (!write_file(dir / file.name, bytes)) {
            std::fprintf(stderr, "make_media: cannot write %s\n", (dir / file.name).c_str());
            return 1;
        }
        std::printf("%-18s %zu bytes\n", file.name, bytes.size());
    }
    return 0;
}
