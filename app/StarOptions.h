#pragma once

#include "ShapeSettings.h"
#include "StarExtras.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QCommandLineParser;

// Every parameter of the star as a command-line option (--points, --inner-rate, ...,
// --line-width, --line-color), each overriding the settings file.
class StarOptions {
public:
    // Adds the options to the parser.
    explicit StarOptions(QCommandLineParser &parser);

    // The changes the given options make to a star, in order. A value out of range is
    // brought into it, with a line in notes that says so; a value that is not a number
    // (or colour) gives the problem instead.
    using Change = std::function<void(ShapeSettings &, StarExtras &)>;
    std::optional<QString> Read(const QCommandLineParser &parser, std::vector<Change> &changes,
                                QStringList &notes) const;

private:
    QList<QCommandLineOption> options_;
};

// A colour value from exactly "#RRGGBB" (six hex digits), or a value as the record
// stores it, in decimal or as 0x and hex digits: a plain colour up to 0xFFFFFF, or a
// system colour of the table (0x80000000 plus 0 to 30). Anything else gives nothing.
std::optional<uint32_t> ColorValueFromText(const QString &text);

// A numeric option's value: decimal digits with an optional sign, nothing else (no
// spaces, no 0x, no leading-zero octal). Nothing for any other text or a number
// beyond 64 bits.
std::optional<int64_t> DecimalNumber(const QString &text);
