#include "PictureMimeData.h"

#include "PictureExport.h"
#include "SvgPicture.h"

#include <QBuffer>
#include <QImage>

namespace {

const QString kBmp = QStringLiteral("image/bmp");
const QString kJpeg = QStringLiteral("image/jpeg");

} // namespace

PictureMimeData::PictureMimeData(const StarPicture &picture, const QImage &image)
    // An opaque picture's own image converts to BMP and JPEG as it is.
    : opaque_(picture.transparent ? PictureForFormat(picture, PictureFormat::Bmp) : StarPicture{}) {
    setImageData(image);
    const std::string svg = StarSvg(picture);
    setData(QStringLiteral("image/svg+xml"), QByteArray(svg.data(), qsizetype(svg.size())));
}

QVariant PictureMimeData::retrieveData(const QString &mimeType, QMetaType type) const {
    const bool withoutAlpha = mimeType == kBmp || mimeType == kJpeg;
    if (!withoutAlpha || !opaque_.width || !opaque_.height)
        return QMimeData::retrieveData(mimeType, type);
    QImage image(opaque_.width, opaque_.height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    RenderStarRows(opaque_, reinterpret_cast<Pixel *>(image.bits()),
                   image.bytesPerLine() / qsizetype(sizeof(Pixel)), 0, opaque_.height);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, mimeType == kBmp ? "BMP" : "JPEG");
    return bytes;
}
