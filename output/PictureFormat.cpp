#include "PictureFormat.h"

#include <algorithm>
#include <cctype>
#include <string>

std::optional<PictureFormat> FormatNamed(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (lower == "bmp")
        return PictureFormat::Bmp;
    if (lower == "jpg" || lower == "jpeg" || lower == "jpe")
        return PictureFormat::Jpeg;
    if (lower == "png")
        return PictureFormat::Png;
    if (lower == "svg")
        return PictureFormat::Svg;
    return std::nullopt;
}

std::optional<PictureFormat> FormatOfExtension(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    const std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const std::size_t dot = base.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    return FormatNamed(base.substr(dot + 1));
}

PictureFormat FormatForFileName(std::string_view name) {
    return FormatOfExtension(name).value_or(PictureFormat::Bmp);
}
