#pragma once

#include <optional>
#include <string_view>

enum class PictureFormat { Bmp, Jpeg, Png, Svg };

// The format a file name's extension names, in any letter case: .bmp gives BMP,
// .jpg, .jpeg and .jpe JPEG, .png PNG, .svg SVG; any other name gives nothing.
std::optional<PictureFormat> FormatOfExtension(std::string_view name);

// The format of FormatOfExtension, and BMP for a name with any other extension.
PictureFormat FormatForFileName(std::string_view name);

// The format a name in any letter case gives: bmp, jpeg (or jpg), png, svg.
std::optional<PictureFormat> FormatNamed(std::string_view name);
