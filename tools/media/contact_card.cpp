// The contact card: an opaque card with the character, a title drawn as bars, and a QR code
// of the program's home page.
#include "tools/media/canvas.h"
#include "tools/media/character.h"
#include "tools/media/media_files.h"

#include <qrencode.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr char kHomePage[] = "https://vastrel-checkin.github.io/";
constexpr int kQuietModules = 4;
constexpr int kQrCentreY = 414;
constexpr int kQrMaxSide = 410;  // quiet zone included

const Rgba kInk = rgb(0x1E2533);
const Rgba kTitle = rgb(0x3B4A63);
const Rgba kSubtitle = rgb(0x9AA7B8);

void draw_qr_code(Canvas& canvas) {
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(kHomePage, 0, QR_ECLEVEL_M, QR_MODE_8, 1), QRcode_free);
    if (!code) {
        throw std::runtime_error("QR encoding failed");
    }
    const int modules = code->width;
    const int module = kQrMaxSide / (modules + 2 * kQuietModules);
    const int left = (canvas.width - modules * module) / 2;
    const int top = kQrCentreY - modules * module / 2;
    for (int y = 0; y < modules; ++y) {
        for (int x = 0; x < modules; ++x) {
            if (code->data[y * modules + x] & 1) {
                const double px = left + x * module;
                const double py = top + y * module;
                fill(canvas, rounded_rect({px, py, px + module, py + module}, 0), solid(kInk));
            }
        }
    }
}

}  // namespace

ByteVector contact_card_png() {
    constexpr PngLayout kLayout{540, 740, false, false, 42};
    Canvas canvas = make_canvas(kLayout.width, kLayout.height);
    fill(canvas, rounded_rect({0, 0, 540, 740}, 0), gradient(rgb(0xCFE8F5), {0, 0}, rgb(0xF9E3CF), {0, 740}));
    fill(canvas, rounded_rect({40, 46, 508, 712}, 36), solid(rgb(0x2A3550, 0.16)), 16);
    fill(canvas, rounded_rect({36, 36, 504, 704}, 36), solid(rgb(0xFFFFFF)));
    canvas.view = {{112, 130}, 0.1};
    draw_kestrel(canvas);
    canvas.view = {};
    fill(canvas, rounded_rect({190, 92, 440, 122}, 15), solid(kTitle));
    fill(canvas, rounded_rect({190, 140, 370, 160}, 10), solid(kSubtitle));
    fill(canvas, rounded_rect({66, 206, 474, 210}, 2), solid(rgb(0xE4E9F0)));
    draw_qr_code(canvas);
    fill(canvas, rounded_rect({150, 616, 390, 634}, 9), solid(kSubtitle));
    fill(canvas, rounded_rect({200, 650, 340, 664}, 7), solid(rgb(0xC9D2DD)));
    return encode_png(kLayout, rgb_bytes(canvas));
}
