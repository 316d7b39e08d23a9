#include "SvgPicture.h"

#include "StarOutline.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// A coordinate with up to three decimals, the same in every locale.
std::string Number(double value) {
    char text[32];
    const double rounded = std::round(value * 1000) / 1000;
    const auto end = std::to_chars(text, text + sizeof text, rounded == 0 ? 0.0 : rounded).ptr;
    return std::string(text, end);
}

std::string At(double x, double y) {
    return Number(x) + " " + Number(y);
}

// The path data of the star: straight edges, and rounded corners as true arcs.
std::string PathData(const StarPicture &p) {
    std::string d;
    if (p.tipRounding <= 0 && p.valleyRounding <= 0) {
        for (std::size_t i = 0; i + 1 < p.vertices.size(); ++i)
            d += (i == 0 ? "M" : " L") + At(p.vertices[i].x, p.vertices[i].y);
        return d + " Z";
    }
    bool first = true;
    for (const CornerArc &arc : CornerArcs(p.vertices, p.tipRounding, p.valleyRounding)) {
        d += (first ? "M" : " L") + At(arc.fromX, arc.fromY);
        first = false;
        // The sweep flag is 1 for increasing angles; a corner's arc is never the
        // larger one.
        if (arc.radius > 0)
            d += " A" + At(arc.radius, arc.radius) + " 0 0 " + (arc.sweep > 0 ? "1 " : "0 ") +
                 At(arc.toX, arc.toY);
    }
    return d + " Z";
}

std::string Hex(Pixel p) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(p & 0xFFFFFF));
    return text;
}

} // namespace

std::string StarSvg(const StarPicture &p) {
    const std::string fore = Hex(p.foreground), back = Hex(p.background);
    std::string svg;
    svg.reserve(512 + p.vertices.size() * 24);
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           std::to_string(p.width) + "\" height=\"" + std::to_string(p.height) +
           "\" viewBox=\"0 0 " + std::to_string(p.width) + " " + std::to_string(p.height) +
           "\" shape-rendering=\"" + (p.smooth ? "geometricPrecision" : "crispEdges") + "\">\n";
    if (!p.transparent)
        svg += "<rect width=\"" + std::to_string(p.width) + "\" height=\"" +
               std::to_string(p.height) + "\" fill=\"" + back + "\"/>\n";
    // Pixel centres sit half a pixel in from the pixel grid's corners.
    // Round joins and caps: the outline is every point within half its width of the
    // path, as the smooth raster draws it.
    svg += "<g transform=\"translate(0.5 0.5)\" stroke=\"" + Hex(p.LineColor()) +
           "\" stroke-width=\"" + std::to_string(p.lineWidth) +
           "\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
    svg +=
        "<path fill-rule=\"evenodd\" fill=\"" + (p.fill ? fore : std::string("none")) + "\" d=\"";
    svg += PathData(p) + "\"/>\n";
    if (p.markers) {
        for (std::size_t i = p.markInnerOnly ? 1 : 0; i + 1 < p.vertices.size();
             i += p.markInnerOnly ? 2 : 1)
            svg += "<rect x=\"" + std::to_string(p.vertices[i].x - kMarkerHalf) + "\" y=\"" +
                   std::to_string(p.vertices[i].y - kMarkerHalf) +
                   "\" width=\"5\" height=\"5\" fill=\"" + back + "\"/>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}
