// The PNG file a picture box decodes: the embedded medium, or a test's replacement.
#pragma once

#include <cstdint>
#include <span>

#include "ui/definitions.h"

std::span<const std::uint8_t> picture_file(Picture picture);
