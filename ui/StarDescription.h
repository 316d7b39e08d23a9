#pragma once

#include "ColorValue.h"
#include "ShapeSettings.h"
#include "StarExtras.h"

#include <QString>

#include <optional>

// The star in words, in the interface's language, for a screen reader: the drawing
// area's accessible description.
// background is the colour behind the star, or none when the desktop shows through.
QString DescribeStar(const ShapeSettings &settings, const StarExtras &extras, bool fill,
                     Pixel foreground, std::optional<Pixel> background, Pixel line);

// A radius as the description words it ("outer radius 101 %").
QString DescribeRadius(bool inner, int rate);

// The parts of a star's description (as DescribeStar words it) that differ from an
// earlier one: what a change did, in the same words ("rotation 30°, star colour
// #FF0000"); empty when the two describe the same star.
QString ChangedParts(const QString &before, const QString &after);
