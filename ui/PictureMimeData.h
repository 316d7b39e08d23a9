#pragma once

#include "StarPicture.h"

#include <QMimeData>

// What the clipboard holds of a copied picture: the image (carrying alpha when the
// background is transparent) and its SVG. A program that asks for BMP or JPEG,
// formats without alpha, gets the picture over its background colour with its
// edges blended, as Save As writes them, rendered only when asked for.
class PictureMimeData : public QMimeData {
public:
    PictureMimeData(const StarPicture &picture, const QImage &image);

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    StarPicture opaque_;
};
