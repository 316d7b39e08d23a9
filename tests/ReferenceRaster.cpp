#include "ReferenceRaster.h"

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
    if (p.fill)
        ReferenceFillEvenOdd(image, corners, p.foreground);
    for (std::size_t i = 1; i < p.vertices.size(); ++i)
        ReferenceLine(image, p.vertices[i - 1], p.vertices[i], p.foreground);
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
