#pragma once

#include "ColorValue.h"
#include "ShapeSettings.h"
#include "StarExtras.h"

#include <QString>

// The star in words, in the interface's language, for a screen reader: the drawing
// area's accessible description.
QString DescribeStar(const ShapeSettings &settings, const StarExtras &extras, bool fill,
                     Pixel foreground, Pixel background);
