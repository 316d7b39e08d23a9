// vantrell-render: renders the star of a settings file to a picture file, without
// a window, through the same renderer and writers as the program's Save As.
#include "ArgumentText.h"
#include "FileMessages.h"
#include "NumberText.h"
#include "OutputFile.h"
#include "PictureExport.h"
#include "SettingsFile.h"
#include "StandardOptions.h"
#include "StarOptions.h"
#include "StarPicture.h"
#include "SystemPalette.h"
#include "Translations.h"
#include "WindowLayout.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <system_error>

namespace {

struct Options {
    std::optional<std::string> settingsPath;
    // The star's parameters given as options, applied over the settings file, and
    // the notes on values brought into range.
    std::vector<StarOptions::Change> star;
    QStringList notes;
    std::optional<std::pair<int, int>> size;
    std::optional<int> scale;
    bool progress = false;
    bool transparent = false;
    bool smooth = false;
    std::string output; // bytes of the name; "-" is standard output
    PictureFormat format = PictureFormat::Bmp;
};

[[noreturn]] void Refuse(const StandardOptions &standard, const QString &problem) {
    std::exit(standard.Refuse(problem));
}

// A whole number from min to max, or nothing.
std::optional<int> NumberWithin(const QString &text, int min, int max) {
    const std::optional<int64_t> value = ReadDecimal(text.toStdString());
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return int(*value);
}

Options Parse(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders the star of a Vantrell settings file to a picture file "
                       "(BMP, JPEG, PNG or SVG, chosen by the file's extension or --format)."));
    const StandardOptions standard(parser, "vantrell-render");
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QStringLiteral("Read the star from FILE instead of Vantrell.def in the current folder."),
        QStringLiteral("FILE"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("Drawing area of W x H pixels, 1 to 16384 each, "
                                                 "instead of the one stored in the settings."),
                                  QStringLiteral("WxH"));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("Magnification, 1 to 64, instead of the stored one."), QStringLiteral("N"));
    const QCommandLineOption progress(QStringLiteral("progress"),
                                      QStringLiteral("Show a progress bar on standard error."));
    const QCommandLineOption transparent(
        QStringLiteral("transparent"),
        QStringLiteral("Transparent background (PNG and SVG; BMP and JPEG keep the colour)."));
    const QCommandLineOption smooth(QStringLiteral("smooth"),
                                    QStringLiteral("Smooth edges instead of hard pixel steps."));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("Write FORMAT (bmp, jpeg, png or svg) whatever the name says. Without "
                       "it the name's extension tells; standard output (-) and the other names "
                       "of open files (/dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N) "
                       "are BMP."),
        QStringLiteral("FORMAT"));
    parser.addOptions({settings, size, scale, progress, transparent, smooth, format});
    const StarOptions star(parser);
    parser.addPositionalArgument(QStringLiteral("OUTPUT"),
                                 QStringLiteral("The picture file to write; - writes to standard "
                                                "output. Write -- first for a name that begins "
                                                "with a dash."));
    if (const std::optional<int> status = standard.Parse(arguments))
        std::exit(*status);

    Options o;
    if (const std::optional<QString> problem = star.Read(parser, o.star, o.notes))
        Refuse(standard, *problem);
    if (parser.isSet(settings)) {
        o.settingsPath = ArgumentToBytes(parser.value(settings));
        if (o.settingsPath->empty())
            Refuse(standard, QStringLiteral("--settings takes the name of a file, not \"\""));
    }
    if (parser.isSet(size)) {
        const QStringList sides = parser.value(size).split(QLatin1Char('x'));
        const auto side = [&sides](int i) {
            return sides.size() == 2 ? NumberWithin(sides.at(i), 1, kMaxAreaSide) : std::nullopt;
        };
        const std::optional<int> w = side(0), h = side(1);
        if (!w || !h)
            Refuse(standard, QStringLiteral("--size takes WxH, each from 1 to 16384, not \"%1\"")
                                 .arg(parser.value(size)));
        o.size = {*w, *h};
    }
    if (parser.isSet(scale)) {
        o.scale = NumberWithin(parser.value(scale), settings_range::kMinSaveRate,
                               settings_range::kMaxSaveRate);
        if (!o.scale)
            Refuse(standard, QStringLiteral("--scale takes a whole number from 1 to 64, not \"%1\"")
                                 .arg(parser.value(scale)));
    }
    o.progress = parser.isSet(progress);
    o.transparent = parser.isSet(transparent);
    o.smooth = parser.isSet(smooth);
    const QStringList outputs = parser.positionalArguments();
    if (outputs.isEmpty())
        Refuse(standard, QStringLiteral("no output file given"));
    if (outputs.size() > 1)
        Refuse(standard, QStringLiteral("one output file only, but also given: %1")
                             .arg(outputs.mid(1).join(QStringLiteral(", "))));
    o.output = ArgumentToBytes(outputs.constFirst());
    if (o.output.empty())
        Refuse(standard, QStringLiteral("the output file's name is empty"));
    if (parser.isSet(format)) {
        const std::optional<PictureFormat> named = FormatNamed(parser.value(format).toStdString());
        if (!named)
            Refuse(standard, QStringLiteral("--format takes bmp, jpeg, png or svg"));
        o.format = *named;
    } else if (const std::optional<PictureFormat> named = FormatOfExtension(o.output)) {
        o.format = *named;
    } else if (o.output != "-" && DescriptorNamed(o.output) < 0) {
        // Standard output and the names of other open files are written as "-" is.
        Refuse(standard, QStringLiteral("cannot tell the format of %1: name it .bmp, .jpg, "
                                        ".jpeg, .jpe, .png or .svg, or give --format")
                             .arg(outputs.constFirst()));
    }
    return o;
}

// Notes of the offscreen platform and of Qt's start-up that concern windows or a
// desktop session, of no interest to a program without either. Everything else
// (warnings of real trouble, fatal messages before an abort) is printed.
bool IsStartUpNoise(QtMsgType type, const QString &message) {
    return type == QtDebugMsg || type == QtInfoMsg ||
           (type == QtWarningMsg &&
            (message.startsWith(QLatin1String("This plugin does not support")) ||
             message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))));
}

void PrintQtMessage(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (IsStartUpNoise(type, message))
        return;
    std::fprintf(stderr, "vantrell-render: %s\n",
                 ConsoleBytes(qFormatLogMessage(type, context, message)).c_str());
    // Qt cannot go on (a platform plugin that could not be loaded, as when memory
    // is short): a failure like any other, said and reported by the status.
    if (type == QtFatalMsg)
        std::_Exit(1);
}

// The application Qt needs for the system colours and the translations. System
// colours resolve from Qt's own default palette, as the program's windows do where
// no desktop theme sets one; the offscreen platform gives it without a display.
std::unique_ptr<QGuiApplication> MakeApplication(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(PrintQtMessage);
    static int appArgc = std::min(argc, 1);
    return std::make_unique<QGuiApplication>(appArgc, argv);
}

void Say(const QString &text) {
    std::fprintf(stderr, "vantrell-render: %s\n", ConsoleBytes(text).c_str());
}

void DrawProgressBar(int64_t done, int64_t total) {
    constexpr int kBarWidth = 40;
    const int filled = total > 0 ? int(done * kBarWidth / total) : kBarWidth;
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################",
                 kBarWidth - filled, "", total > 0 ? int(done * 100 / total) : 100);
    if (done >= total)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

int Render(int argc, char **argv) {
    const Options options = Parse(ArgumentsFromBytes(argc, argv));
    const std::unique_ptr<QGuiApplication> application = MakeApplication(argc, argv);
    // Messages in the interface's language, chosen as the windows choose it.
    const Translations translations;

    // Vantrell.def follows the program's loading rules: a missing or short file gives
    // the defaults. A file the user named must be a star file, as the window requires. A loaded
    // record is brought into range.
    const std::string settingsPath = options.settingsPath.value_or(kSettingsFileName);
    SettingsProblem problem;
    SettingsContents contents;
    const std::optional<ShapeSettings> loaded =
        options.settingsPath ? ReadStarFile(settingsPath, &problem, &contents)
                             : ReadSettingsFile(settingsPath, &problem, &contents);
    if (!loaded && options.settingsPath) {
        Say(StarFileProblemText(settingsPath, problem));
        return 1;
    }
    if (loaded && contents.block == ExtrasBlock::Unknown)
        Say(UnknownDataText(settingsPath));
    StarExtras &extras = contents.extras;
    ShapeSettings settings = StartingRecord(loaded);
    for (const StarOptions::Change &change : options.star)
        change(settings, extras);
    for (const QString &note : options.notes)
        Say(note);
    if (options.scale)
        settings.SaveRate = *options.scale;

    PictureInputs inputs;
    if (options.size) {
        inputs.areaWidth = options.size->first;
        inputs.areaHeight = options.size->second;
    } else if (loaded && HoldsDrawingArea(settings.ClientWidth, settings.ClientHeight)) {
        inputs.areaWidth = std::clamp(settings.ClientWidth, 0, kMaxAreaSide);
        inputs.areaHeight = std::clamp(settings.ClientHeight - kStatusBarHeight, 0, kMaxAreaSide);
    } else {
        inputs.areaWidth = kLayoutAreaWidth;
        inputs.areaHeight = kLayoutAreaHeight;
    }
    inputs.sameSize = settings.SameSize != 0;
    inputs.fill = settings.Fill != 0;
    inputs.output = true;
    inputs.transparent = options.transparent;
    inputs.smooth = options.smooth;
    const SystemColors system = SystemColorsFromPalette(QGuiApplication::palette());
    inputs.extras = extras;
    inputs.lineColor = ResolveColorValue(extras.LineColor, system);
    inputs.foreground = ResolveColorValue(settings.ForeColor, system);
    inputs.background = ResolveColorValue(settings.BackColor, system);

    // The picture never replaces the file it is drawn from, under whatever name.
    if (IsSameFile(options.output == "-" ? "/dev/stdout" : options.output, settingsPath)) {
        Say(OverStarFileText(options.output, settingsPath));
        return 1;
    }

    Directions table{};
    BuildDirections(settings, table);
    const StarPicture picture = MakeStarPicture(settings, table, inputs);
    if (picture.width <= 0 || picture.height <= 0) {
        Say(NothingToSaveText());
        return 1;
    }
    ExportProgress progress;
    if (options.progress)
        progress = [](int64_t done, int64_t total) {
            DrawProgressBar(done, total);
            return true;
        };
    const ExportResult result =
        ExportPictureFile(options.output, picture, options.format, progress);
    if (result.status != ExportResult::Written) {
        Say(ExportFailureText(result, options.output));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    ReserveStandardDescriptors();
    InstallTemporaryFileCleanup();
    // Short of memory or threads before the export (which reports its own): say so.
    try {
        return Render(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "vantrell-render: out of memory\n");
    } catch (const std::system_error &error) {
        std::fprintf(stderr, "vantrell-render: %s\n", error.what());
    }
    return 1;
}
