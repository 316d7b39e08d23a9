#pragma once

#include <QFont>
#include <QString>

// The face the windows ask for, at a character height in pixels. ProgramWindows.cpp maps
// it to a free face with the same metrics style where the original is missing.
inline const QString kFormFaceName = QStringLiteral("ＭＳ Ｐゴシック");

inline QFont FormFont(int pixelHeight) {
    QFont font(kFormFaceName);
    font.setPixelSize(pixelHeight);
    return font;
}
