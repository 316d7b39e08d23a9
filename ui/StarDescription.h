#pragma once

#include "ColorValue.h"
#include "ShapeSettings.h"
#include "StarExtras.h"

#include <QString>

#include <optional>

// The star in words, in the interface's language, for a screen reader: the drawing
// area's accessible description.
// background is the colour behind the star, or none when the desktop shows through.
// The rounding, irregularity and outline are told when they differ from their
// defaults, or always when complete.
QString DescribeStar(const ShapeSettings &settings, const StarExtras &extras, bool fill,
                     Pixel foreground, std::optional<Pixel> background, Pixel line,
                     bool complete = false);

// A radius as the description words it ("outer radius 101 %").
QString DescribeRadius(bool inner, int rate);

// The parts of a description (as DescribeStar or the status bar words it, a list) that
// differ from an earlier one of the same kind: what a change did, in the same words
// ("rotation 30°, star colour #FF0000"); empty when the two describe the same.
QString ChangedParts(const QString &before, const QString &after);
