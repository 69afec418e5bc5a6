// The author's avatar: a cartoon head-and-shoulders portrait on a transparent background.
#include "tools/media/canvas.h"
#include "tools/media/media_files.h"

namespace {

const Rgba kOutline = rgb(0x3F2A26);
const Rgba kSkin = rgb(0xF8CFAB);
const Rgba kSkinShade = rgb(0xEDB48D);
const Rgba kHair = rgb(0x4A3128);
const Rgba kHairShine = rgb(0x6E4A3A);
const Rgba kHoodie = rgb(0x45A8A2);
const Rgba kHoodieShade = rgb(0x2F847F);
const Rgba kString = rgb(0xF5F1E6);
const Rgba kGlasses = rgb(0x3A2E4A);
const Rgba kEye = rgb(0x2B2233);
const Rgba kMouth = rgb(0x8C3B36);
const Rgba kTongue = rgb(0xF07D7D);
const Rgba kCheek = rgb(0xF48A8A, 0.45);
const Rgba kWhite = rgb(0xFFFFFF);
constexpr double kLine = 14;

void draw_shoulders(Canvas& canvas) {
    fill_outlined(canvas, rounded_rect({650, 880, 850, 1200}, 70), solid(kSkinShade), kOutline, kLine);
    const Shape torso = subtract(rounded_rect({200, 1050, 1300, 1850}, 380), ellipse({750, 1040}, 125, 90));
    fill_outlined(canvas, torso, gradient(kHoodie, {750, 1040}, kHoodieShade, {750, 1500}), kOutline, kLine);
    fill_outlined(canvas, curve({600, 1050}, {750, 1230}, {900, 1050}, 44), solid(kHoodieShade), kOutline, 10);
    for (const double side : {-1.0, 1.0}) {
        const Shape cord = stroke({{750 + side * 62, 1145}, {750 + side * 72, 1330}}, 18);
        fill_outlined(canvas, cord, solid(kString), kOutline, 8);
        fill_outlined(canvas, rounded_rect({740 + side * 72 - 14, 1325, 760 + side * 72 + 4, 1365}, 8),
                      solid(kString), kOutline, 8);
    }
}

void draw_head(Canvas& canvas) {
    const Shape head = ellipse({750, 620}, 320, 360);
    fill_outlined(canvas, grow(ellipse({750, 560}, 330, 330), 10), solid(kHair), kOutline, kLine);
    for (const double side : {-1.0, 1.0}) {
        fill_outlined(canvas, circle({750 + side * 325, 670}, 62), solid(kSkin), kOutline, kLine);
        fill(canvas, circle({750 + side * 330, 672}, 30), solid(kSkinShade));
    }
    fill_outlined(canvas, head, gradient(kSkin, {750, 500}, kSkinShade, {750, 980}), kOutline, kLine);
    const Shape fringe = unite(unite(ellipse({615, 420}, 190, 120, 18), ellipse({880, 410}, 200, 110, -14)),
                               ellipse({750, 330}, 300, 120));
    const Shape hair = intersect(grow(head, 26), unite(fringe, ellipse({750, 300}, 420, 180)));
    fill_outlined(canvas, hair, solid(kHair), kOutline, kLine);
    fill(canvas, intersect(hair, curve({560, 330}, {660, 270}, {780, 290}, 26)), solid(kHairShine));
    fill_outlined(canvas, curve({765, 262}, {790, 205}, {845, 200}, 30), solid(kHair), kOutline, 10);
}

void draw_face(Canvas& canvas) {
    for (const double side : {-1.0, 1.0}) {
        const double x = 750 + side * 130;
        fill(canvas, curve({x - 62, 565}, {x, 528}, {x + 62, 560}, 20), solid(kHair));
        fill(canvas, ellipse({x, 665}, 27, 37), solid(kEye));
        fill(canvas, circle({x - 9, 652}, 10), solid(kWhite));
        fill(canvas, circle({x, 665}, 94), solid(rgb(0xFFFFFF, 0.18)));
        fill(canvas, ring({x, 665}, 94, 16), solid(kGlasses));
        fill(canvas, ellipse({750 + side * 215, 790}, 62, 36), solid(kCheek), 24);
    }
    fill(canvas, curve({710, 655}, {750, 630}, {790, 655}, 16), solid(kGlasses));
    fill(canvas, curve({752, 735}, {728, 780}, {762, 782}, 13), solid(rgb(0xD49572)));
    const Shape mouth = intersect(ellipse({750, 828}, 95, 78), rounded_rect({600, 828, 900, 960}, 0));
    fill_outlined(canvas, mouth, solid(kMouth), kOutline, 10);
    fill(canvas, intersect(mouth, ellipse({750, 915}, 60, 38)), solid(kTongue));
}

}  // namespace

ByteVector avatar_png() {
    constexpr PngLayout kLayout{1500, 1500, true, true, 32};
    Canvas canvas = make_canvas(kLayout.width, kLayout.height);
    draw_shoulders(canvas);
    draw_head(canvas);
    draw_face(canvas);
    return encode_png(kLayout, rgba_bytes(canvas));
}
