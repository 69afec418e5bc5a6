// The media files assembled into read-only data, each between a begin and an end label.
#include "media/media.h"

#define VASTREL_EMBED(name, file)                                   \
    __asm__(".pushsection .rodata\n"                                \
            ".balign 16\n"                                          \
            ".globl vastrel_" #name "_begin\n"                      \
            "vastrel_" #name "_begin:\n"                            \
            ".incbin \"" VASTREL_MEDIA_DIR "/" file "\"\n"          \
            ".globl vastrel_" #name "_end\n"                        \
            "vastrel_" #name "_end:\n"                              \
            ".popsection\n");                                       \
    extern "C" const unsigned char vastrel_##name##_begin[];        \
    extern "C" const unsigned char vastrel_##name##_end[];

VASTREL_EMBED(mascot, "mascot.png")
VASTREL_EMBED(avatar, "avatar.png")
VASTREL_EMBED(contact_card, "contact_card.png")
VASTREL_EMBED(checkin_sound, "checkin.wav")
VASTREL_EMBED(program_icon, "program.ico")

namespace {

struct Embedded {
    const unsigned char* begin;
    const unsigned char* end;
};

// In the order of Medium.
constexpr Embedded kEmbedded[] = {
    {vastrel_mascot_begin, vastrel_mascot_end},
    {vastrel_avatar_begin, vastrel_avatar_end},
    {vastrel_contact_card_begin, vastrel_contact_card_end},
    {vastrel_checkin_sound_begin, vastrel_checkin_sound_end},
    {vastrel_program_icon_begin, vastrel_program_icon_end},
};

}  // namespace

std::span<const unsigned char> medium_bytes(Medium medium) {
    const Embedded& embedded = kEmbedded[static_cast<int>(medium)];
    return {embedded.begin, embedded.end};
}
