// The complete bytes of each of the program's five media files.
#pragma once

#include "tools/media/png_file.h"

ByteVector mascot_png();
ByteVector avatar_png();
ByteVector contact_card_png();
ByteVector checkin_wav();
ByteVector program_ico();
