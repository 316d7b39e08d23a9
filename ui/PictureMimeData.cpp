#include "PictureMimeData.h"

#include "PictureExport.h"
#include "PictureWriter.h"
#include "QtDesktop.h"
#include "SvgPicture.h"

#include <QImage>

namespace {

const QString kPng = QStringLiteral("image/png");
const QString kBmp = QStringLiteral("image/bmp");
const QString kJpeg = QStringLiteral("image/jpeg");

class ByteArraySink : public ByteSink {
public:
    bool Write(const void *data, std::size_t size) override {
        bytes.append(static_cast<const char *>(data), qsizetype(size));
        return true;
    }
    QByteArray bytes;
};

} // namespace

PictureMimeData::PictureMimeData(const StarPicture &picture, const QImage &image)
    : picture_(picture) {
    if (QtClipboardNeedsImage())
        setImageData(image);
    // Listed now, encoded when asked for.
    for (const QString &format : {kPng, kBmp, kJpeg})
        setData(format, {});
    const std::string svg = StarSvg(picture);
    setData(QStringLiteral("image/svg+xml"), QByteArray(svg.data(), qsizetype(svg.size())));
}

QVariant PictureMimeData::retrieveData(const QString &mimeType, QMetaType type) const {
    const PictureFormat format = mimeType == kPng    ? PictureFormat::Png
                                 : mimeType == kBmp  ? PictureFormat::Bmp
                                 : mimeType == kJpeg ? PictureFormat::Jpeg
                                                     : PictureFormat::Svg;
    if (format == PictureFormat::Svg)
        return QMimeData::retrieveData(mimeType, type);
    if (const auto done = encoded_.constFind(mimeType); done != encoded_.constEnd())
        return *done;
    // Too large for the format, or short of memory: nothing in that format after all.
    if (FormatSizeLimit(format, picture_.width, picture_.height) != ExportFailure::None)
        return {};
    const StarPicture picture = PictureForFormat(picture_, format);
    ByteArraySink sink;
    try {
        const auto writer = MakePictureWriter(format, sink, picture.transparent);
        WritePicture(picture, *writer);
    } catch (const std::exception &) {
        return {};
    }
    return encoded_[mimeType] = sink.bytes;
}
