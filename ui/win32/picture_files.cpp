#include "ui/win32/picture_files.h"

#include <array>

#include "media/media.h"
#include "ui/win32/win32_probe.h"

namespace {

std::array<std::span<const std::uint8_t>, 4> replacements;

}  // namespace

std::span<const std::uint8_t> picture_file(Picture picture) {
    const auto replaced = replacements[static_cast<std::size_t>(picture)];
    if (!replaced.empty()) return replaced;
    switch (picture) {
    case Picture::mascot:
        return medium_bytes(Medium::mascot);
    case Picture::avatar:
        return medium_bytes(Medium::avatar);
    case Picture::contact_card:
        return medium_bytes(Medium::contact_card);
    case Picture::none:
        break;
    }
    return {};
}

void replace_picture_file(Picture picture, std::span<const std::uint8_t> file) {
    replacements[static_cast<std::size_t>(picture)] = file;
}
