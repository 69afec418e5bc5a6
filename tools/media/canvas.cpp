#include "tools/media/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double clamp01(double value) {
    return std::clamp(value, 0.0, 1.0);
}

double length(Point p) {
    return std::hypot(p.x, p.y);
}

Box united(Box a, Box b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

Box intersected(Box a, Box b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

Box widened(Box box, double amount) {
    return {box.left - amount, box.top - amount, box.right + amount, box.bottom + amount};
}

double segment_distance(Point p, Point a, Point b) {
    const Point ab{b.x - a.x, b.y - a.y};
    const Point ap{p.x - a.x, p.y - a.y};
    const double span = ab.x * ab.x + ab.y * ab.y;
    const double t = span > 0 ? clamp01((ap.x * ab.x + ap.y * ab.y) / span) : 0;
    return length({ap.x - ab.x * t, ap.y - ab.y * t});
}

Box points_box(const std::vector<Point>& points) {
    Box box{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const Point& p : points) {
        box = united(box, {p.x, p.y, p.x, p.y});
    }
    return box;
}

Rgba paint_at(const Paint& paint, Point p) {
    const Point along{paint.end.x - paint.start.x, paint.end.y - paint.start.y};
    const double span = along.x * along.x + along.y * along.y;
    if (span == 0) {
        return paint.from;
    }
    const double t = clamp01(((p.x - paint.start.x) * along.x + (p.y - paint.start.y) * along.y) / span);
    return mix(paint.from, paint.to, t);
}

double coverage(double distance_pixels, double softness) {
    return clamp01(0.5 - distance_pixels / softness);
}

std::uint8_t to_byte(double value) {
    return static_cast<std::uint8_t>(std::lround(clamp01(value) * 255.0));
}

}  // namespace

Rgba rgb(std::uint32_t hex, double alpha) {
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha};
}

Rgba mix(Rgba from, Rgba to, double t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Shape circle(Point centre, double radius) {
    return {[=](Point p) { return length({p.x - centre.x, p.y - centre.y}) - radius; },
            {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius}};
}

Shape ellipse(Point centre, double radius_x, double radius_y, double angle_degrees) {
    const double angle = angle_degrees * std::numbers::pi / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double reach = std::max(radius_x, radius_y);
    return {[=](Point p) {
                const double dx = p.x - centre.x;
                const double dy = p.y - centre.y;
                const Point local{dx * c + dy * s, -dx * s + dy * c};
                // First-order distance: the implicit function over its gradient's length.
                const double k0 = length({local.x / radius_x, local.y / radius_y});
                const double k1 = length({local.x / (radius_x * radius_x), local.y / (radius_y * radius_y)});
                return k1 > 0 ? k0 * (k0 - 1.0) / k1 : -std::min(radius_x, radius_y);
            },
            {centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach}};
}

Shape rounded_rect(Box box, double radius) {
    const Point centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    const Point half{(box.right - box.left) / 2 - radius, (box.bottom - box.top) / 2 - radius};
    return {[=](Point p) {
                const double qx = std::abs(p.x - centre.x) - half.x;
                const double qy = std::abs(p.y - centre.y) - half.y;
                return length({std::max(qx, 0.0), std::max(qy, 0.0)}) + std::min(std::max(qx, qy), 0.0) - radius;
            },
            box};
}

Shape polygon(std::vector<Point> corners) {
    const Box box = points_box(corners);
    return {[corners = std::move(corners)](Point p) {
                double nearest = INFINITY;
                bool inside = false;
                for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
                    const Point a = corners[i];
                    const Point b = corners[j];
                    nearest = std::min(nearest, segment_distance(p, a, b));
                    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
                        inside = !inside;
                    }
                }
                return inside ? -nearest : nearest;
            },
            box};
}

Shape stroke(std::vector<Point> path, double width) {
    const Box box = widened(points_box(path), width / 2);
    return {[path = std::move(path), width](Point p) {
                double nearest = INFINITY;
                for (std::size_t i = 1; i < path.size(); ++i) {
                    nearest = std::min(nearest, segment_distance(p, path[i - 1], path[i]));
                }
                return nearest - width / 2;
            },
            box};
}

Shape curve(Point from, Point control, Point to, double width) {
    constexpr int kSteps = 32;
    std::vector<Point> path;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const double u = 1 - t;
        path.push_back({u * u * from.x + 2 * u * t * control.x + t * t * to.x,
                        u * u * from.y + 2 * u * t * control.y + t * t * to.y});
    }
    return stroke(std::move(path), width);
}

Shape ring(Point centre, double radius, double width) {
    const double reach = radius + width / 2;
    return {[=](Point p) { return std::abs(length({p.x - centre.x, p.y - centre.y}) - radius) - width / 2; },
            {centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach}};
}

Shape grow(Shape shape, double amount) {
    return {[inner = std::move(shape.distance), amount](Point p) { return inner(p) - amount; },
            widened(shape.bounds, amount)};
}

Shape unite(Shape a, Shape b) {
    const Box box = united(a.bounds, b.bounds);
    return {[da = std::move(a.distance), db = std::move(b.distance)](Point p) { return std::min(da(p), db(p)); },
            box};
}

Shape blend(Shape a, Shape b, double radius) {
    const Box box = widened(united(a.bounds, b.bounds), radius);
    return {[da = std::move(a.distance), db = std::move(b.distance), radius](Point p) {
                const double u = da(p);
                const double v = db(p);
                const double h = clamp01(0.5 + 0.5 * (v - u) / radius);
                return v + (u - v) * h - radius * h * (1 - h);
            },
            box};
}

Shape intersect(Shape a, Shape b) {
    const Box box = intersected(a.bounds, b.bounds);
    return {[da = std::move(a.distance), db = std::move(b.distance)](Point p) { return std::max(da(p), db(p)); },
            box};
}

Shape subtract(Shape a, Shape b) {
    const Box box = a.bounds;
    return {[da = std::move(a.distance), db = std::move(b.distance)](Point p) { return std::max(da(p), -db(p)); },
            box};
}

Paint solid(Rgba colour) {
    return {colour, colour, {}, {}};
}

Paint gradient(Rgba from, Point start, Rgba to, Point end) {
    return {from, to, start, end};
}

Canvas make_canvas(int width, int height) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.pixels.assign(static_cast<std::size_t>(width) * height, Rgba{});
    return canvas;
}

void fill(Canvas& canvas, const Shape& shape, const Paint& paint, double softness) {
    const double soft = std::max(1.0, softness);
    const View view = canvas.view;
    const double margin = soft + 1;
    const int left = std::max(0, static_cast<int>(std::floor(view.origin.x + shape.bounds.left * view.scale - margin)));
    const int top = std::max(0, static_cast<int>(std::floor(view.origin.y + shape.bounds.top * view.scale - margin)));
    const int right = std::min(canvas.width, static_cast<int>(std::ceil(view.origin.x + shape.bounds.right * view.scale + margin)));
    const int bottom = std::min(canvas.height, static_cast<int>(std::ceil(view.origin.y + shape.bounds.bottom * view.scale + margin)));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Point p{(x + 0.5 - view.origin.x) / view.scale, (y + 0.5 - view.origin.y) / view.scale};
            double cover = coverage(shape.distance(p) * view.scale, soft);
            if (cover > 0 && canvas.clip) {
                cover *= coverage(canvas.clip->distance(p) * view.scale, 1);
            }
            if (cover <= 0) {
                continue;
            }
            const Rgba colour = paint_at(paint, p);
            const double alpha = colour.a * cover;
            Rgba& dst = canvas.pixels[static_cast<std::size_t>(y) * canvas.width + x];
            const double keep = 1 - alpha;
            dst = {colour.r * alpha + dst.r * keep, colour.g * alpha + dst.g * keep,
                   colour.b * alpha + dst.b * keep, alpha + dst.a * keep};
        }
    }
}

void fill_outlined(Canvas& canvas, const Shape& shape, const Paint& paint, Rgba outline, double width) {
    fill(canvas, grow(shape, width), solid(outline));
    fill(canvas, shape, paint);
}

std::vector<std::uint8_t> rgba_bytes(const Canvas& canvas) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(canvas.pixels.size() * 4);
    for (const Rgba& p : canvas.pixels) {
        const std::uint8_t alpha = to_byte(p.a);
        if (alpha == 0) {
            bytes.insert(bytes.end(), {0, 0, 0, 0});
            continue;
        }
        bytes.insert(bytes.end(), {to_byte(p.r / p.a), to_byte(p.g / p.a), to_byte(p.b / p.a), alpha});
    }
    return bytes;
}

std::vector<std::uint8_t> rgb_bytes(const Canvas& canvas) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(canvas.pixels.size() * 3);
    for (const Rgba& p : canvas.pixels) {
        bytes.insert(bytes.end(), {to_byte(p.r), to_byte(p.g), to_byte(p.b)});
    }
    return bytes;
}
