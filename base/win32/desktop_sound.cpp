// Sound playback: each call starts a detached worker thread that owns a copy of the samples
// and its own output device, so playbacks overlap and the caller never waits for audio.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <system_error>
#include <thread>

#include "base/desktop.h"
#include "base/riff.h"

namespace {

constexpr std::size_t kMaxQueuedBlocks = 20;
// A playback whose device has finished no block for this long is stopped.
constexpr ULONGLONG kStallStopMs = 8888;

struct Playback {
    Bytes format;  // a WAVEFORMATEX block
    Bytes samples;
    std::size_t block_bytes = kMaxSoundBlockBytes;
    bool loop = false;
};

struct BlockQueue {
    std::array<WAVEHDR, kMaxQueuedBlocks> headers{};
    std::array<bool, kMaxQueuedBlocks> queued{};
    std::size_t count = 0;
};

bool queue_block(HWAVEOUT device, WAVEHDR& header, unsigned char* data, std::size_t size) {
    header = {};
    header.lpData = reinterpret_cast<LPSTR>(data);
    header.dwBufferLength = static_cast<DWORD>(size);
    if (waveOutPrepareHeader(device, &header, sizeof header) != MMSYSERR_NOERROR) return false;
    if (waveOutWrite(device, &header, sizeof header) == MMSYSERR_NOERROR) return true;
    waveOutUnprepareHeader(device, &header, sizeof header);
    return false;
}

// Releases the blocks the device has finished; true when there was at least one.
bool reclaim_finished(HWAVEOUT device, BlockQueue& queue) {
    bool progressed = false;
    for (std::size_t slot = 0; slot < kMaxQueuedBlocks; ++slot) {
        if (!queue.queued[slot] || (queue.headers[slot].dwFlags & WHDR_DONE) == 0) continue;
        waveOutUnprepareHeader(device, &queue.headers[slot], sizeof(WAVEHDR));
        queue.queued[slot] = false;
        --queue.count;
        progressed = true;
    }
    return progressed;
}

void stream_blocks(HWAVEOUT device, HANDLE block_done, Playback& playback) {
    BlockQueue queue;
    const std::size_t total = playback.samples.size();
    std::size_t next = 0;
    bool write_failed = false;
    ULONGLONG last_progress = GetTickCount64();
    for (;;) {
        if (reclaim_finished(device, queue)) last_progress = GetTickCount64();
        for (std::size_t slot = 0; slot < kMaxQueuedBlocks && !write_failed; ++slot) {
            if (playback.loop && next == total) next = 0;
            if (queue.queued[slot] || next == total) continue;
            const std::size_t size = std::min(playback.block_bytes, total - next);
            write_failed = !queue_block(device, queue.headers[slot], playback.samples.data() + next, size);
            if (write_failed) break;
            queue.queued[slot] = true;
            ++queue.count;
            next += size;
        }
        if (queue.count == 0) return;
        const ULONGLONG waited = GetTickCount64() - last_progress;
        if (waited >= kStallStopMs) {
            waveOutReset(device);
            reclaim_finished(device, queue);
            return;
        }
        WaitForSingleObject(block_done, static_cast<DWORD>(kStallStopMs - waited));
    }
}

void play_on_worker(Playback playback) {
    HANDLE block_done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (block_done == nullptr) return;
    HWAVEOUT device = nullptr;
    const auto* format = reinterpret_cast<const WAVEFORMATEX*>(playback.format.data());
    if (waveOutOpen(&device, WAVE_MAPPER, format, reinterpret_cast<DWORD_PTR>(block_done), 0, CALLBACK_EVENT) ==
        MMSYSERR_NOERROR) {
        stream_blocks(device, block_done, playback);
        waveOutClose(device);
    }
    CloseHandle(block_done);
}

}  // namespace

bool play_sound(std::span<const unsigned char> image, bool loop) {
    const std::optional<WaveChunks> chunks = walk_riff(image);
    if (!chunks) return false;
    Playback playback{wave_format_block(chunks->format), Bytes(chunks->samples.begin(), chunks->samples.end()),
                      sound_block_bytes(chunks->format), loop};
    try {
        std::thread(play_on_worker, std::move(playback)).detach();
    } catch (const std::system_error&) {
        return false;  // no thread could be started, so nothing plays
    }
    return true;
}
