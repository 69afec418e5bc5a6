// The RIFF WAVE walk behind play_sound, kept apart from the sound device so that it can be
// tested and fuzzed natively. Every span it returns lies inside the image it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "base/values.h"

// Playback streams the samples in blocks of at most this many bytes.
constexpr std::size_t kMaxSoundBlockBytes = 15360;

struct WaveChunks {
    std::span<const unsigned char> format;   // body of the first "fmt " chunk, >= 16 bytes
    std::span<const unsigned char> samples;  // body of the first "data" chunk, cut at the image end
};

// Needs at least 36 bytes, "RIFF" at 0 and "WAVE" at 8, then walks the chunks from offset 12
// by their little-endian 32-bit lengths (odd lengths are followed by one pad byte) until it
// has both a whole "fmt " chunk and a "data" chunk. Nothing when either is missing.
std::optional<WaveChunks> walk_riff(std::span<const unsigned char> image);

// The format chunk as a WAVEFORMATEX block: at least 18 bytes, with an extra-size field that
// never claims bytes past the chunk.
Bytes wave_format_block(std::span<const unsigned char> format);

// The largest whole number of sample frames that fits in one block.
std::size_t sound_block_bytes(std::span<const unsigned char> format);
