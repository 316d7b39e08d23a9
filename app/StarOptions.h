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
