#pragma once

#include <string_view>

enum class PictureFormat { Bmp, Jpeg, Png, Svg };

// The format a file name asks for by its extension, in any letter case: .jpg,
// .jpeg and .jpe give JPEG, .png PNG, .svg SVG, anything else BMP.
PictureFormat FormatForFileName(std::string_view name);
