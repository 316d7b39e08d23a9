#pragma once

#include "StarPicture.h"

#include <QHash>
#include <QMimeData>

// What the clipboard holds of a copied picture: PNG (with alpha when the background is
// transparent), BMP and JPEG, each the very bytes Save As writes in that format and
// encoded only when a program asks for it, and the picture's SVG. No other format is
// offered, so none that would change the picture (an icon format, PPM, a lower JPEG
// quality) can be taken for it. Where the window system hands other programs a
// bitmap only from Qt's own image (Windows), that image is held too.
class PictureMimeData : public QMimeData {
public:
    PictureMimeData(const StarPicture &picture, const QImage &image);

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    StarPicture picture_;
    mutable QHash<QString, QByteArray> encoded_;
};
