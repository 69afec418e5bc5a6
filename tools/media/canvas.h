// Anti-aliased vector drawing into a floating-point RGBA canvas.
// Shapes are signed distance functions in design units; a view maps them onto pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct Point {
    double x = 0;
    double y = 0;
};

struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// A straight (not premultiplied) colour, each channel 0..1.
struct Rgba {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 0;
};

// 0xRRGGBB with an opacity.
Rgba rgb(std::uint32_t hex, double alpha = 1.0);
Rgba mix(Rgba from, Rgba to, double t);

// Negative inside, positive outside, in design units.
struct Shape {
    std::function<double(Point)> distance;
    Box bounds;
};

Shape circle(Point centre, double radius);
Shape ellipse(Point centre, double radius_x, double radius_y, double angle_degrees = 0);
Shape rounded_rect(Box box, double radius);
Shape polygon(std::vector<Point> corners);
// A round-capped line along the points.
Shape stroke(std::vector<Point> path, double width);
// A round-capped quadratic curve from `from` to `to`, pulled toward `control`.
Shape curve(Point from, Point control, Point to, double width);
Shape ring(Point centre, double radius, double width);
Shape grow(Shape shape, double amount);
Shape unite(Shape a, Shape b);
// A union whose seam is rounded over `radius`, for blob-like bodies.
Shape blend(Shape a, Shape b, double radius);
Shape intersect(Shape a, Shape b);
Shape subtract(Shape a, Shape b);

// A linear gradient from `from` at `start` to `to` at `end`; solid when both colours match.
struct Paint {
    Rgba from;
    Rgba to;
    Point start;
    Point end;
};

Paint solid(Rgba colour);
Paint gradient(Rgba from, Point start, Rgba to, Point end);

// Design point p lands on pixel origin + p * scale.
struct View {
    Point origin;
    double scale = 1;
};

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;  // premultiplied
    View view;
    std::optional<Shape> clip;
};

Canvas make_canvas(int width, int height);
// Composites the shape over the canvas; the edge is blurred over `softness` pixels (at least one).
void fill(Canvas& canvas, const Shape& shape, const Paint& paint, double softness = 1);
// The shape in `paint` with an outline of `width` design units in `outline` around it.
void fill_outlined(Canvas& canvas, const Shape& shape, const Paint& paint, Rgba outline, double width);

// 8-bit straight RGBA, rows top to bottom.
std::vector<std::uint8_t> rgba_bytes(const Canvas& canvas);
// 8-bit RGB of an opaque canvas.
std::vector<std::uint8_t> rgb_bytes(const Canvas& canvas);
