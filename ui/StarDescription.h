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
