// The media read from the exe's own RCDATA resources (media.rc).
#include "media/media.h"

#include <windows.h>

namespace {

// In the order of Medium.
constexpr const char* kResourceNames[] = {"MASCOT", "AVATAR", "CONTACT_CARD", "CHECKIN_SOUND", "PROGRAM_ICON"};

}  // namespace

std::span<const unsigned char> medium_bytes(Medium medium) {
    const HRSRC resource = FindResourceA(nullptr, kResourceNames[static_cast<int>(medium)], RT_RCDATA);
    if (resource == nullptr) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(nullptr, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(data), SizeofResource(nullptr, resource)};
}
