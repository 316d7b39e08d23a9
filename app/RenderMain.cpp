// vantrell-render: renders the star of a settings file to a picture file, without
// a window, through the same renderer and writers as the program's Save As.
#include "PictureExport.h"
#include "SettingsFile.h"
#include "StarPicture.h"
#include "WindowLayout.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct Options {
    std::optional<std::string> settingsPath;
    std::optional<std::pair<int, int>> size;
    std::optional<int> scale;
    bool progress = false;
    std::string output;
};

[[noreturn]] void Usage(const char *problem) {
    std::fprintf(stderr, "vantrell-render: %s\n", problem);
    std::fprintf(stderr,
                 "usage: vantrell-render [--settings FILE] [--size WxH] [--scale N] [--progress] "
                 "OUTPUT\n");
    std::exit(2);
}

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

Options Parse(int argc, char **argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> std::string_view {
            if (i + 1 >= argc)
                Usage("an option lacks its value");
            return argv[++i];
        };
        if (arg == "--settings") {
            o.settingsPath = std::string(value());
        } else if (arg == "--size") {
            const std::string_view v = value();
            const std::size_t x = v.find('x');
            const auto w = x == std::string_view::npos ? std::nullopt : Number(v.substr(0, x));
            const auto h = x == std::string_view::npos ? std::nullopt : Number(v.substr(x + 1));
            if (!w || !h || *w < 0 || *h < 0 || *w > kMaxAreaSide || *h > kMaxAreaSide)
                Usage("--size takes WxH, each from 0 to 16384");
            o.size = {*w, *h};
        } else if (arg == "--scale") {
            o.scale = Number(value());
            if (!o.scale || *o.scale < settings_range::kMinSaveRate ||
                *o.scale > settings_range::kMaxSaveRate)
                Usage("--scale takes a whole number from 1 to 64");
        } else if (arg == "--progress") {
            o.progress = true;
        } else if (arg.starts_with("--") || !o.output.empty()) {
            Usage(("unexpected argument " + std::string(arg)).c_str());
        } else {
            o.output = std::string(arg);
        }
    }
    if (o.output.empty())
        Usage("no output file given");
    return o;
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

} // namespace

int main(int argc, char **argv) {
    const Options options = Parse(argc, argv);

    // The program's loading rules: a missing or short file gives the defaults, a
    // loaded record is brought into range.
    const std::string settingsPath = options.settingsPath.value_or(kSettingsFileName);
    std::optional<ShapeSettings> loaded = ReadSettingsFile(settingsPath);
    if (!loaded && options.settingsPath)
        std::fprintf(stderr, "vantrell-render: no settings in %s, drawing the default star\n",
                     settingsPath.c_str());
    ShapeSettings settings = StartingRecord(loaded);
    if (options.scale)
        settings.SaveRate = *options.scale;

    PictureInputs inputs;
    if (options.size) {
        inputs.areaWidth = options.size->first;
        inputs.areaHeight = options.size->second;
    } else if (loaded) {
        inputs.areaWidth = std::clamp(settings.ClientWidth, 0, kMaxAreaSide);
        inputs.areaHeight = std::clamp(settings.ClientHeight - kStatusBarHeight, 0, kMaxAreaSide);
    } else {
        inputs.areaWidth = kLayoutAreaWidth;
        inputs.areaHeight = kLayoutAreaHeight;
    }
    inputs.sameSize = settings.SameSize != 0;
    inputs.fill = settings.Fill != 0;
    inputs.output = true;
    const SystemColors plain = PlainSystemColors();
    inputs.foreground = ResolveColorValue(settings.ForeColor, plain);
    inputs.background = ResolveColorValue(settings.BackColor, plain);

    Directions table{};
    BuildDirections(settings, table);
    const StarPicture picture = MakeStarPicture(settings, table, inputs);
    if (picture.width <= 0 || picture.height <= 0) {
        std::fprintf(stderr, "vantrell-render: the picture is %d x %d, nothing to save\n",
                     picture.width, picture.height);
        return 1;
    }
    ExportProgress progress;
    if (options.progress)
        progress = [](int64_t done, int64_t total) {
            DrawProgressBar(done, total);
            return true;
        };
    const ExportResult result =
        ExportPictureFile(options.output, picture, FormatForFileName(options.output), progress);
    if (result.status != ExportResult::Written) {
        std::fprintf(stderr, "vantrell-render: %s\n", result.message.c_str());
        return 1;
    }
    return 0;
}
