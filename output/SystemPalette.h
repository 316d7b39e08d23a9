#pragma once

#include "ColorValue.h"

#include <QPalette>

// The RGB values of the Windows-style system colour indices that colour values may
// name, taken from the nearest roles of a Qt palette: window background (5) is
// the base colour, window text (8) the text colour.
SystemColors SystemColorsFromPalette(const QPalette &palette);
