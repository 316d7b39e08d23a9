#include "PictureFormat.h"

#include <algorithm>
#include <cctype>
#include <string>

PictureFormat FormatForFileName(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    const std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const std::size_t dot = base.rfind('.');
    if (dot == std::string_view::npos)
        return PictureFormat::Bmp;
    std::string ext(base.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe")
        return PictureFormat::Jpeg;
    if (ext == "png")
        return PictureFormat::Png;
    if (ext == "svg")
        return PictureFormat::Svg;
    return PictureFormat::Bmp;
}
