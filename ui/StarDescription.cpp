#include "StarDescription.h"

#include <QCoreApplication>

namespace {

QString Rgb(Pixel pixel) {
    return QStringLiteral("#%1").arg(pixel & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString DescribeStar(const ShapeSettings &s, const StarExtras &e, bool fill, Pixel foreground,
                     Pixel background) {
    const QString drawing = fill ? QCoreApplication::translate("StarDescription", "塗りつぶし")
                                 : QCoreApplication::translate("StarDescription", "輪郭のみ");
    QString text = QCoreApplication::translate(
                       "StarDescription",
                       "ジャグ %1 個、内側の半径 %2 %、外側の半径 %3 %、回転 %4 度、ねじれ 外側 "
                       "%5 % 内側 %6 %、%7、星の色 %8、背景の色 %9")
                       .arg(s.Points)
                       .arg(s.InnerRate)
                       .arg(s.OuterRate)
                       .arg(s.LeanAngle)
                       .arg(s.OuterTwist)
                       .arg(s.InnerTwist)
                       .arg(drawing, Rgb(foreground), Rgb(background));
    if (!e.IsDefault())
        text +=
            QCoreApplication::translate(
                "StarDescription", "、先端の丸み %1 %、谷の丸み %2 %、不規則さ %3 %、輪郭の幅 %4")
                .arg(e.TipRounding)
                .arg(e.ValleyRounding)
                .arg(e.Irregularity)
                .arg(e.LineWidth);
    return text;
}
