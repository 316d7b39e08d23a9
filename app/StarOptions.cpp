#include "StarOptions.h"

#include "ColorValue.h"
#include "NumberText.h"

#include <QCommandLineParser>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace {

using namespace settings_range;
using namespace extras_range;

// One numeric parameter: its option, range and where its value goes.
struct NumberParameter {
    const char *name;
    const char *help;
    int64_t min, max;
    std::function<void(ShapeSettings &, StarExtras &, int64_t)> set;
};

const std::array<NumberParameter, 16> kNumbers{{
    {"points", "Number of jags, 3 to 50.", kMinPoints, kMaxPoints,
     [](ShapeSettings &s, StarExtras &, int64_t v) { s.Points = int32_t(v); }},
    {"inner-rate", "Inner radius, percent of the outer radius, 1 to 100.", kMinRate, kMaxRate,
     [](ShapeSettings &s, StarExtras &, int64_t v) { s.InnerRate = int32_t(v); }},
    {"outer-rate", "Outer radius, percent of half the drawing area, 1 to 100.", kMinRate, kMaxRate,
     [](ShapeSettings &s, StarExtras &, int64_t v) { s.OuterRate = int32_t(v); }},
    {"inner-twist", "Twist of the inner vertices, percent of a vertex step, -1000 to 1000.",
     kMinTwist, kMaxTwist,
     [](ShapeSettings &s, StarExtras &, int64_t v) { s.InnerTwist = int32_t(v); }},
    {"outer-twist", "Twist of the outer vertices, percent of a vertex step, -1000 to 1000.",
     kMinTwist, kMaxTwist,
     [](ShapeSettings &s, StarExtras &, int64_t v) { s.OuterTwist = int32_t(v); }},
    {"center-x", "Inner centre shift, percent of half the width, -50 to 50.", kMinCenterRate,
     kMaxCenterRate, [](ShapeSettings &s, StarExtras &, int64_t v) { s.CenterXRate = int32_t(v); }},
    {"center-y", "Inner centre shift, percent of half the height, -50 to 50.", kMinCenterRate,
     kMaxCenterRate, [](ShapeSettings &s, StarExtras &, int64_t v) { s.CenterYRate = int32_t(v); }},
    {"lean", "Rotation in whole degrees, -90 to 90.", kMinLean, kMaxLean,
     [](ShapeSettings &s, StarExtras &, int64_t v) { s.LeanAngle = int32_t(v); }},
    {"fill", "1 fills the star, 0 draws its outline only.", 0, 1,
     [](ShapeSettings &s, StarExtras &, int64_t v) { s.Fill = uint8_t(v); }},
    {"same-size", "1 makes the drawing area's width and height equal.", 0, 1,
     [](ShapeSettings &s, StarExtras &, int64_t v) { s.SameSize = uint8_t(v); }},
    {"tip-rounding", "Rounding of the outer corners, percent, 0 to 100.", kMinPercent, kMaxPercent,
     [](ShapeSettings &, StarExtras &e, int64_t v) { e.TipRounding = int32_t(v); }},
    {"valley-rounding", "Rounding of the inner corners, percent, 0 to 100.", kMinPercent,
     kMaxPercent, [](ShapeSettings &, StarExtras &e, int64_t v) { e.ValleyRounding = int32_t(v); }},
    {"irregularity", "Random unevenness of the jags, percent, 0 to 100.", kMinPercent, kMaxPercent,
     [](ShapeSettings &, StarExtras &e, int64_t v) { e.Irregularity = int32_t(v); }},
    {"seed", "Seed of the irregularity, 0 to 4294967295.", 0, UINT32_MAX,
     [](ShapeSettings &, StarExtras &e, int64_t v) { e.Seed = uint32_t(v); }},
    {"line-width", "Outline width in pixels at magnification 1, 1 to 100.", kMinLineWidth,
     kMaxLineWidth, [](ShapeSettings &, StarExtras &e, int64_t v) { e.LineWidth = int32_t(v); }},
    {"save-rate", "Stored magnification, 1 to 64 (--scale overrides it too).", kMinSaveRate,
     kMaxSaveRate, [](ShapeSettings &s, StarExtras &, int64_t v) { s.SaveRate = int32_t(v); }},
}};

constexpr std::size_t kColorOptions = 3; // after the numbers: fore, back, line

} // namespace

StarOptions::StarOptions(QCommandLineParser &parser) {
    for (const NumberParameter &p : kNumbers)
        options_.append(QCommandLineOption(QString::fromLatin1(p.name), QString::fromLatin1(p.help),
                                           QStringLiteral("N")));
    options_.append(QCommandLineOption(
        QStringLiteral("fore-color"),
        QStringLiteral("Colour of the star: #RRGGBB, or a colour value as star files store it, "
                       "in decimal (0377 is 377) or in hex after 0x: 0xBBGGRR, or 0x80000000 "
                       "to 0x8000001E for a system colour."),
        QStringLiteral("COLOR")));
    options_.append(
        QCommandLineOption(QStringLiteral("back-color"),
                           QStringLiteral("Colour of the background, written as for --fore-color."),
                           QStringLiteral("COLOR")));
    options_.append(QCommandLineOption(
        QStringLiteral("line-color"),
        QStringLiteral(
            "Colour of the outline, written as for --fore-color, or \"same\" for the star's."),
        QStringLiteral("COLOR")));
    parser.addOptions(options_);
}

std::optional<QString> StarOptions::Read(const QCommandLineParser &parser,
                                         std::vector<Change> &changes, QStringList &notes) const {
    for (std::size_t i = 0; i < kNumbers.size(); ++i) {
        const QCommandLineOption &option = options_[qsizetype(i)];
        if (!parser.isSet(option))
            continue;
        const NumberParameter &p = kNumbers[i];
        const std::optional<int64_t> value = ReadDecimal(parser.value(option).toStdString());
        if (!value)
            return QStringLiteral("--%1 takes a whole number, not \"%2\"")
                .arg(QString::fromLatin1(p.name), parser.value(option));
        // The note quotes the number as given: one past 64 bits reads as the limit.
        const int64_t kept = std::clamp(*value, p.min, p.max);
        if (kept != *value)
            notes.append(QStringLiteral("--%1 %2 is out of range: %3 is used")
                             .arg(QString::fromLatin1(p.name), parser.value(option))
                             .arg(kept));
        changes.push_back(
            [set = p.set, kept](ShapeSettings &s, StarExtras &e) { set(s, e, kept); });
    }
    for (std::size_t c = 0; c < kColorOptions; ++c) {
        const QCommandLineOption &option = options_[qsizetype(kNumbers.size() + c)];
        if (!parser.isSet(option))
            continue;
        const QString text = parser.value(option);
        if (c == 2 && text == QLatin1String("same")) {
            changes.push_back([](ShapeSettings &, StarExtras &e) {
                e.OwnLineColor = false;
                e.LineColor = 0;
            });
            continue;
        }
        const std::optional<uint32_t> color = ColorValueFromText(text.toStdString());
        if (!color)
            return QStringLiteral("--%1 takes #RRGGBB or a colour value (0xFFFFFF at most, or "
                                  "0x80000000 to 0x8000001E for a system colour)%3, not \"%2\"")
                .arg(option.names().constFirst(), text,
                     c == 2 ? QStringLiteral(", or same") : QString());
        changes.push_back([c, value = *color](ShapeSettings &s, StarExtras &e) {
            if (c == 0)
                s.ForeColor = value;
            else if (c == 1)
                s.BackColor = value;
            else
                e.OwnLineColor = true, e.LineColor = value;
        });
    }
    return std::nullopt;
}
