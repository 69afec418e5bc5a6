#include "tools/media/character.h"

namespace {

const Rgba kOutline = rgb(0x4A2F27);
const Rgba kBodyLight = rgb(0xF09A5A);
const Rgba kBodyDark = rgb(0xD96F37);
const Rgba kCapLight = rgb(0x8AA6D0);
const Rgba kCapDark = rgb(0x6682B3);
const Rgba kBelly = rgb(0xFFF4E2);
const Rgba kSpeckle = rgb(0xCE6C37);
const Rgba kWing = rgb(0xD0693A);
const Rgba kWingBar = rgb(0xA9532C);
const Rgba kPupil = rgb(0x2B2233);
const Rgba kWhite = rgb(0xFFFFFF);
const Rgba kBeak = rgb(0xF7BE45);
const Rgba kFeet = rgb(0xF2A93B);
const Rgba kCheek = rgb(0xF27D8E, 0.55);
const Rgba kShadow = rgb(0x3A2A20, 0.3);
constexpr double kLine = 14;

Shape body_outline() {
    return blend(circle({0, -250}, 330), ellipse({0, 170}, 400, 440), 80);
}

void draw_feet(Canvas& canvas) {
    for (const double x : {-130.0, 130.0}) {
        const Shape toes = unite(unite(stroke({{x, 590}, {x - 48, 652}}, 36), stroke({{x, 590}, {x, 664}}, 36)),
                                 stroke({{x, 590}, {x + 48, 652}}, 36));
        fill_outlined(canvas, toes, solid(kFeet), kOutline, kLine);
    }
}

void draw_wings(Canvas& canvas) {
    for (const double side : {-1.0, 1.0}) {
        const Shape wing = ellipse({side * 385, 180}, 115, 240, side * -16);
        fill_outlined(canvas, wing, solid(kWing), kOutline, kLine);
        for (int i = 0; i < 3; ++i) {
            const Shape bar = ellipse({side * (372 + 12 * i), 95.0 + 80 * i}, 42, 13, side * -16);
            fill(canvas, intersect(bar, wing), solid(kWingBar));
        }
    }
}

void draw_face(Canvas& canvas) {
    for (const double side : {-1.0, 1.0}) {
        fill_outlined(canvas, ellipse({side * 140, -200}, 88, 100), solid(kWhite), kOutline, 12);
        fill(canvas, circle({side * 125, -185}, 60), solid(kPupil));
        fill(canvas, circle({side * 125 - 22, -212}, 22), solid(kWhite));
        fill(canvas, circle({side * 125 + 22, -160}, 9), solid(kWhite));
        fill(canvas, ellipse({side * 250, -85}, 62, 38), solid(kCheek), 24 * canvas.view.scale);
    }
    const Shape beak = grow(polygon({{-56, -150}, {56, -150}, {0, -66}}), 16);
    fill_outlined(canvas, beak, gradient(kBeak, {0, -160}, rgb(0xEDA23A), {0, -60}), kOutline, 12);
}

}  // namespace

void draw_kestrel(Canvas& canvas) {
    fill(canvas, ellipse({0, 650}, 340, 45), solid(kShadow), 30 * canvas.view.scale);
    fill_outlined(canvas, ellipse({290, 500}, 75, 170, -55), solid(kCapDark), kOutline, kLine);
    for (const Shape& tuft : {ellipse({-40, -590}, 32, 80, -25), ellipse({25, -600}, 30, 90, 20)}) {
        fill_outlined(canvas, tuft, solid(kCapLight), kOutline, kLine);
    }
    draw_feet(canvas);
    const Shape body = body_outline();
    fill_outlined(canvas, body, gradient(kBodyLight, {0, -300}, kBodyDark, {0, 600}), kOutline, kLine);
    fill(canvas, intersect(body, ellipse({0, -600}, 460, 310)), gradient(kCapLight, {0, -580}, kCapDark, {0, -290}));
    fill(canvas, ellipse({-150, -440}, 90, 45, -30), solid(rgb(0xFFFFFF, 0.25)), 20 * canvas.view.scale);
    const Shape belly = intersect(body, ellipse({0, 270}, 280, 320));
    fill(canvas, belly, solid(kBelly));
    for (const Point speckle : {Point{-120, 150}, Point{0, 120}, Point{120, 150}, Point{-60, 260}, Point{60, 260},
                                Point{-130, 370}, Point{0, 380}, Point{130, 370}}) {
        fill(canvas, intersect(ellipse(speckle, 15, 24), belly), solid(kSpeckle));
    }
    draw_wings(canvas);
    draw_face(canvas);
}
