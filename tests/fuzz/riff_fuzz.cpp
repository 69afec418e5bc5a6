// Feeds arbitrary images to the RIFF WAVE walk of play_sound. AddressSanitizer catches any
// read outside the image; the checks below hold the walk to what playback relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/riff.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool inside(std::span<const unsigned char> part, std::span<const unsigned char> whole) {
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> image(data, size);
    const std::optional<WaveChunks> chunks = walk_riff(image);
    if (!chunks) return 0;
    require(size >= 36);
    require(inside(chunks->format, image) && inside(chunks->samples, image));
    require(chunks->format.size() >= 16);

    const Bytes block = wave_format_block(chunks->format);
    require(block.size() >= 18 && block.size() >= chunks->format.size());
    const std::size_t extra = block[16] | block[17] << 8;
    require(18 + extra <= block.size());

    const std::size_t block_bytes = sound_block_bytes(chunks->format);
    require(block_bytes > 0 && block_bytes <= kMaxSoundBlockBytes);
    return 0;
}
