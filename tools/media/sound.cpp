// The check-in sound: a two-note bell chime, 27648 stereo frames of 16-bit PCM at 22050 Hz,
// in a RIFF WAVE file with a 54-byte INFO list.
#include "tools/media/media_files.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr int kFrames = 27648;
constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr std::uint32_t kInfoListSize = 54;
constexpr double kPeak = 0.45 * 32767;  // headroom: the loudest sample sits well below full scale
constexpr double kAttackSeconds = 0.008;
constexpr double kFadeSeconds = 0.3;

struct Note {
    double start;  // seconds
    double frequency;
    double pan;  // -1 left .. 1 right
    double level;
};

struct Partial {
    double ratio;  // to the note's frequency; slightly stretched above the octave, as in a bell
    double level;
    double decay;  // time constant in seconds
};

constexpr Note kNotes[] = {{0.0, 783.99, -0.3, 1.0}, {0.15, 1046.50, 0.3, 0.85}};
constexpr Partial kPartials[] = {{1.0, 1.0, 0.34}, {2.0, 0.38, 0.2}, {3.01, 0.14, 0.12}, {4.16, 0.07, 0.08}};

struct Tag {
    std::string_view id;
    std::string_view text;
};

constexpr Tag kTags[] = {{"INAM", "Vastrel chime"}, {"ISFT", "Vastrel make_media"}};

double note_sample(const Note& note, double t) {
    const double local = t - note.start;
    if (local < 0) {
        return 0;
    }
    const double attack = local < kAttackSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * local / kAttackSeconds) : 1.0;
    double sum = 0;
    for (const Partial& partial : kPartials) {
        sum += partial.level * std::exp(-local / partial.decay) *
               std::sin(2 * std::numbers::pi * note.frequency * partial.ratio * local);
    }
    return note.level * attack * sum;
}

// Raised-cosine fade over the last kFadeSeconds, reaching silence on the last frame.
double tail_fade(int frame) {
    const double fade_frames = kFadeSeconds * kRate;
    const double left = kFrames - 1 - frame;
    return left >= fade_frames ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * left / fade_frames);
}

std::vector<double> chime() {
    std::vector<double> samples(static_cast<std::size_t>(kFrames) * kChannels);
    for (int frame = 0; frame < kFrames; ++frame) {
        const double t = static_cast<double>(frame) / kRate;
        for (const Note& note : kNotes) {
            const double angle = (note.pan + 1) * std::numbers::pi / 4;
            const double value = note_sample(note, t) * tail_fade(frame);
            samples[2 * frame] += value * std::cos(angle);
            samples[2 * frame + 1] += value * std::sin(angle);
        }
    }
    double peak = 0;
    for (const double value : samples) {
        peak = std::max(peak, std::abs(value));
    }
    for (double& value : samples) {
        value = value / peak * kPeak;
    }
    return samples;
}

void put_u16(ByteVector& out, std::uint16_t value) {
    out.insert(out.end(), {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
}

void put_u32(ByteVector& out, std::uint32_t value) {
    put_u16(out, static_cast<std::uint16_t>(value));
    put_u16(out, static_cast<std::uint16_t>(value >> 16));
}

void put_id(ByteVector& out, std::string_view id) {
    out.insert(out.end(), id.begin(), id.end());
}

// "INFO" and the tags, each text zero-terminated and padded to an even size.
ByteVector info_list() {
    ByteVector list;
    put_id(list, "INFO");
    for (const Tag& tag : kTags) {
        const auto size = static_cast<std::uint32_t>(tag.text.size() + 1);
        put_id(list, tag.id);
        put_u32(list, size);
        put_id(list, tag.text);
        list.push_back(0);
        if (size % 2 != 0) {
            list.push_back(0);
        }
    }
    if (list.size() != kInfoListSize) {
        throw std::logic_error("INFO list must be 54 bytes");
    }
    return list;
}

}  // namespace

ByteVector checkin_wav() {
    const ByteVector info = info_list();
    constexpr std::uint32_t kDataSize = kFrames * kChannels * kBytesPerSample;
    ByteVector out;
    put_id(out, "RIFF");
    put_u32(out, 4 + (8 + 16) + (8 + kInfoListSize) + (8 + kDataSize));
    put_id(out, "WAVE");
    put_id(out, "fmt ");
    put_u32(out, 16);
    put_u16(out, 1);
    put_u16(out, kChannels);
    put_u32(out, kRate);
    put_u32(out, kRate * kChannels * kBytesPerSample);
    put_u16(out, kChannels * kBytesPerSample);
    put_u16(out, 8 * kBytesPerSample);
    put_id(out, "LIST");
    put_u32(out, kInfoListSize);
    out.insert(out.end(), info.begin(), info.end());
    put_id(out, "data");
    put_u32(out, kDataSize);
    for (const double value : chime()) {
        put_u16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value))));
    }
    return out;
}
