#include "ReferenceRaster.h"

#include <algorithm>
#include <cmath>

#include <cstdlib>

void ReferenceLine(ReferenceImage &image, Point from, Point to, Pixel color) {
    const int64_t adx = std::abs(int64_t(to.x) - from.x), ady = std::abs(int64_t(to.y) - from.y);
    const int64_t sx = to.x < from.x ? -1 : 1, sy = to.y < from.y ? -1 : 1;
    if (adx >= ady) {
        int64_t minor = 0, remainder = adx;
        for (int64_t k = 0; k < adx; ++k) {
            image.Plot(from.x + sx * k, from.y + sy * minor, color);
            remainder += 2 * ady;
            if (remainder >= 2 * adx)
                remainder -= 2 * adx, ++minor;
        }
    } else {
        int64_t minor = 0, remainder = ady;
        for (int64_t k = 0; k < ady; ++k) {
            image.Plot(from.x + sx * minor, from.y + sy * k, color);
            remainder += 2 * adx;
            if (remainder >= 2 * ady)
                remainder -= 2 * ady, ++minor;
        }
    }
}

void ReferenceFillEvenOdd(ReferenceImage &image, const std::vector<Point> &polygon, Pixel color) {
    const std::size_t n = polygon.size();
    for (int64_t y = 0; y < image.height; ++y) {
        for (int64_t x = 0; x < image.width; ++x) {
            // Count the edges crossing the pixel's row at or left of its centre.
            int crossings = 0;
            for (std::size_t i = 0; i < n; ++i) {
                Point a = polygon[i], b = polygon[(i + 1) % n];
                if (a.y > b.y)
                    std::swap(a, b);
                if (!(a.y <= y && y < b.y))
                    continue;
                const int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
                if ((2 * x + 1 - 2 * int64_t(a.x)) * dy >= (2 * y + 1 - 2 * int64_t(a.y)) * dx)
                    ++crossings;
            }
            if (crossings % 2 == 1)
                image.Plot(x, y, color);
        }
    }
}

ReferenceImage ReferencePicture(const StarPicture &p) {
    ReferenceImage image(p.width, p.height, p.background);
    const std::vector<Point> corners(p.vertices.begin(), p.vertices.end() - 1);
    const std::vector<Point> &path = p.Drawn();
    if (p.fill)
        ReferenceFillEvenOdd(image, {path.begin(), path.end() - 1}, p.foreground);
    if (p.lineWidth == 1) {
        for (std::size_t i = 1; i < path.size(); ++i)
            ReferenceLine(image, path[i - 1], path[i], p.LineColor());
    } else {
        // Every pixel whose centre lies within half the width of a segment.
        const long double half = p.lineWidth / 2.0L;
        for (int64_t y = 0; y < p.height; ++y)
            for (int64_t x = 0; x < p.width; ++x)
                for (std::size_t i = 1; i < path.size(); ++i) {
                    const long double ax = path[i - 1].x, ay = path[i - 1].y;
                    const long double dx = path[i].x - ax, dy = path[i].y - ay;
                    const long double l2 = dx * dx + dy * dy;
                    const long double t =
                        l2 == 0 ? 0 : std::clamp(((x - ax) * dx + (y - ay) * dy) / l2, 0.0L, 1.0L);
                    const long double ex = x - ax - t * dx, ey = y - ay - t * dy;
                    if (ex * ex + ey * ey <= half * half + 1e-9L) {
                        image.Plot(x, y, p.LineColor());
                        break;
                    }
                }
    }
    if (p.markers) {
        for (std::size_t i = 0; i < corners.size(); ++i) {
            if (p.markInnerOnly && i % 2 == 0)
                continue;
            const Point v = corners[i];
            for (int64_t y = v.y - 3; y < v.y + 3; ++y)
                for (int64_t x = v.x - 3; x < v.x + 3; ++x) {
                    const bool edge = x == v.x - 3 || x == v.x + 2 || y == v.y - 3 || y == v.y + 2;
                    image.Plot(x, y, edge ? p.foreground : p.background);
                }
        }
    }
    return image;
}

int ReferenceCoverage(const std::vector<Point> &path, bool fill, int32_t x, int32_t y,
                      int32_t width) {
    const long double radius = 4.0L * width; // eighths
    // Eighths of a pixel, half a pixel shifted: vertex v at 8v, sample (t, s) of the
    // pixel at 8x + 2t - 3, 8y + 2s - 3.
    int covered = 0;
    for (int s = 0; s < 4; ++s) {
        for (int t = 0; t < 4; ++t) {
            const int64_t u = 8 * int64_t(x) + 2 * t - 3, v = 8 * int64_t(y) + 2 * s - 3;
            bool inside = false;
            for (std::size_t i = 0; fill && i + 1 < path.size(); ++i) {
                int64_t ax = 8 * int64_t(path[i].x), ay = 8 * int64_t(path[i].y);
                int64_t bx = 8 * int64_t(path[i + 1].x), by = 8 * int64_t(path[i + 1].y);
                if (ay > by)
                    std::swap(ax, bx), std::swap(ay, by);
                // The edge crosses the sample's row left of the sample.
                if (ay < v && v < by && (u - ax) * (by - ay) > (v - ay) * (bx - ax))
                    inside = !inside;
            }
            for (std::size_t i = 0; !inside && i + 1 < path.size(); ++i) {
                const long double ax = 8.0L * path[i].x, ay = 8.0L * path[i].y;
                const long double dx = 8.0L * path[i + 1].x - ax, dy = 8.0L * path[i + 1].y - ay;
                const long double length2 = dx * dx + dy * dy;
                long double along = length2 == 0 ? 0 : ((u - ax) * dx + (v - ay) * dy) / length2;
                along = std::clamp(along, 0.0L, 1.0L);
                const long double ex = u - (ax + along * dx), ey = v - (ay + along * dy);
                inside = ex * ex + ey * ey <= radius * radius + 1e-9L;
            }
            covered += inside;
        }
    }
    return covered;
}

Pixel ReferenceBlend(Pixel under, Pixel star, int c) {
    Pixel out = 0xFF000000u;
    for (const int shift : {0, 8, 16}) {
        const double u = (under >> shift) & 0xFF, s = (star >> shift) & 0xFF;
        out |= Pixel(std::lround(u + (s - u) * c / 16.0)) << shift;
    }
    return out;
}
