#include "StarDescription.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace {

QString Tr(const char *text) {
    return QCoreApplication::translate("StarDescription", text);
}

QString Rgb(Pixel pixel) {
    return QStringLiteral("#%1").arg(pixel & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString DescribeStar(const ShapeSettings &s, const StarExtras &e, bool fill, Pixel foreground,
                     std::optional<Pixel> background, Pixel line, bool complete) {
    QString text =
        Tr(QT_TRANSLATE_NOOP("StarDescription",
                             "ヴァントレル %1 個、内側の半径 %2 %、外側の半径 %3 %、回転 "
                             "%4°、ねじれ 外側 %5 % 内側 %6 %、中心のずれ 横 %7 % 縦 %8 %"))
            .arg(s.Points)
            .arg(s.InnerRate)
            .arg(s.OuterRate)
            .arg(s.LeanAngle)
            .arg(s.OuterTwist)
            .arg(s.InnerTwist)
            .arg(s.CenterXRate)
            .arg(s.CenterYRate);
    const QString drawing = fill ? Tr(QT_TRANSLATE_NOOP("StarDescription", "塗りつぶし"))
                                 : Tr(QT_TRANSLATE_NOOP("StarDescription", "輪郭のみ"));
    text +=
        Tr(QT_TRANSLATE_NOOP("StarDescription", "、%1、星の色 %2")).arg(drawing, Rgb(foreground));
    text += background
                ? Tr(QT_TRANSLATE_NOOP("StarDescription", "、背景の色 %1")).arg(Rgb(*background))
                : Tr(QT_TRANSLATE_NOOP("StarDescription", "、背景はデスクトップ"));
    if (complete || !e.IsDefault())
        text +=
            Tr(QT_TRANSLATE_NOOP("StarDescription", "、先端の丸み %1 %、谷の丸み %2 %、不規則さ "
                                                    "%3 % (種 %4)、線の太さ %5、線の色 %6"))
                .arg(e.TipRounding)
                .arg(e.ValleyRounding)
                .arg(e.Irregularity)
                .arg(e.Seed)
                .arg(e.LineWidth)
                .arg(Rgb(line));
    return text;
}

QString DescribeRadius(bool inner, int rate) {
    return (inner ? Tr(QT_TRANSLATE_NOOP("StarDescription", "内側の半径 %1 %"))
                  : Tr(QT_TRANSLATE_NOOP("StarDescription", "外側の半径 %1 %")))
        .arg(rate);
}

QString ChangedParts(const QString &before, const QString &after) {
    // The description's parts are separated as its languages write lists.
    static const QRegularExpression separator(QStringLiteral("、|, "));
    const QStringList old = before.split(separator), now = after.split(separator);
    QStringList changed;
    for (qsizetype i = 0; i < now.size(); ++i) {
        // The same parts stand at the same places unless the list's length changed.
        const bool same = old.size() == now.size() ? old[i] == now[i] : old.contains(now[i]);
        if (!same)
            changed << now[i];
    }
    return changed.join(after.contains(QStringLiteral("、")) ? QStringLiteral("、")
                                                             : QStringLiteral(", "));
}
