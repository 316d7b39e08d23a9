#pragma once

#include "StarPicture.h"

#include <string>

// The picture as SVG at its pixel size: a background rectangle, the star as one
// path (filled by the even-odd rule, or outlined), and the markers of a drag, with
// crisp edges so it lines up with the rendered pixels.
std::string StarSvg(const StarPicture &picture);
