// The program's five media files, carried inside the program; no media file is read at run time.
#pragma once

#include <span>

enum class Medium { mascot, avatar, contact_card, checkin_sound, program_icon };

// The complete file bytes of a medium (PNG, RIFF WAVE or icon file), valid for the whole run.
std::span<const unsigned char> medium_bytes(Medium medium);
