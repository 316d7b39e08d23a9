#include "StarIcon.h"

#include "StarPicture.h"

QImage StarIcon(int size) {
    ShapeSettings settings{};
    ApplyDefaultParameters(settings);
    settings.Points = 5;
    settings.InnerRate = 45;
    settings.LeanAngle = -90; // one jag pointing up
    Directions table{};
    BuildDirections(settings, table);
    PictureInputs inputs;
    inputs.areaWidth = inputs.areaHeight = size;
    inputs.fill = true;
    inputs.foreground = PixelFromRgb(0, 0, 0);
    inputs.background = PixelFromRgb(255, 255, 255);
    const StarPicture picture = MakeStarPicture(settings, table, inputs);
    QImage icon(size, size, QImage::Format_RGB32);
    RenderStarRows(picture, reinterpret_cast<Pixel *>(icon.bits()),
                   icon.bytesPerLine() / qsizetype(sizeof(Pixel)), 0, size);
    return icon;
}
