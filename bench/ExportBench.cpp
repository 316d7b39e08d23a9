// Exports of the default star at x64 (26112 x 16064) through vantrell-render, each in
// a process of its own so its peak memory can be read, beside what the same work
// costs from a picture already in memory.
#include "BmpWriter.h"
#include "JpegWriter.h"
#include "PictureExport.h"
#include "PngWriter.h"
#include "SettingsFile.h"
#include "StarPicture.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kScale = 64;
const std::filesystem::path kScratch = std::filesystem::temp_directory_path() / "vantrell-bench";

StarPicture DefaultPictureAtX64(bool smoothFilled = false) {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.SaveRate = kScale;
    Directions table{};
    BuildDirections(s, table);
    PictureInputs in;
    in.areaWidth = 408;
    in.areaHeight = 251;
    in.output = true;
    in.foreground = PixelFromRgb(0, 0, 0);
    in.background = PixelFromRgb(255, 255, 255);
    in.fill = in.smooth = in.transparent = smoothFilled;
    return MakeStarPicture(s, table, in);
}

std::vector<Pixel> WholePicture(const StarPicture &p) {
    std::vector<Pixel> all(std::size_t(p.width) * p.height);
    RenderStarRows(p, all.data(), p.width, 0, p.height);
    return all;
}

class CountingSink : public ByteSink {
public:
    bool Write(const void *, std::size_t size) override {
        bytes += size;
        return true;
    }
    std::size_t bytes = 0;
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// options: more arguments for vantrell-render separated by spaces, or nullptr;
// the word "filled" draws the default star filled.
void BM_RenderToFile(benchmark::State &state, const char *extension, const char *options) {
    std::filesystem::create_directories(kScratch);
    const std::string output = (kScratch / (std::string("star.") + extension)).string();
    const std::string filled = (kScratch / "filled.def").string();
    std::vector<std::string> words;
    for (std::istringstream split(options ? options : ""); split >> words.emplace_back();)
        ;
    words.pop_back(); // the failed read after the last word
    std::vector<const char *> arguments = {"vantrell-render", "--scale", "64"};
    for (const std::string &word : words) {
        if (word != "filled") {
            arguments.push_back(word.c_str());
            continue;
        }
        ShapeSettings s = StartingRecord(std::nullopt);
        s.ClientWidth = 408;
        s.ClientHeight = 276;
        s.Fill = 1;
        WriteSettingsFile(filled, s);
        arguments.insert(arguments.end(), {"--settings", filled.c_str()});
    }
    arguments.push_back(output.c_str());
    arguments.push_back(nullptr);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execv(VANTRELL_RENDER_PATH, const_cast<char *const *>(arguments.data()));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        state.SetIterationTime(Seconds(start));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("vantrell-render failed");
        state.counters["peak_RSS_MiB"] = double(usage.ru_maxrss) / 1024;
        state.counters["file_MiB"] = double(std::filesystem::file_size(output)) / (1 << 20);
    }
    std::filesystem::remove(output);
}

// (a) libjpeg-turbo alone, from the whole picture already in memory.
// Encodes a whole picture held in memory, discarding the bytes.
template <typename Writer>
void EncodeWhole(const StarPicture &p, const std::vector<Pixel> &pixels) {
    CountingSink sink;
    Writer writer(sink);
    writer.Begin(p.width, p.height);
    writer.WriteRows(pixels.data(), p.width, 0, p.height);
    writer.Finish();
}

void BM_JpegFromMemory(benchmark::State &state) {
    const StarPicture p = DefaultPictureAtX64();
    const std::vector<Pixel> pixels = WholePicture(p);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        EncodeWhole<JpegWriter>(p, pixels);
        state.SetIterationTime(Seconds(start));
    }
}

// A full-frame PNG: render the whole picture, then encode it with the same settings.
void BM_PngFullFrame(benchmark::State &state) {
    const StarPicture p = DefaultPictureAtX64();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        EncodeWhole<PngWriter>(p, WholePicture(p));
        state.SetIterationTime(Seconds(start));
    }
}

// The deflate strategy of the PNG writer against zlib's default at the same level, on
// the Sub-filtered rows of the x64 smooth transparent filled star: compressed MiB and
// seconds for the whole picture.
void BM_PngDeflateStrategy(benchmark::State &state) {
    const int strategy = int(state.range(0));
    const StarPicture p = DefaultPictureAtX64(true);
    std::vector<Pixel> band(std::size_t(p.width) * 64);
    std::vector<unsigned char> filtered(1 + std::size_t(p.width) * 4);
    std::vector<unsigned char> out(1 << 20);
    for (auto _ : state) {
        z_stream z{};
        deflateInit2(&z, 1, Z_DEFLATED, 15, 8, strategy);
        std::size_t compressed = 0;
        double seconds = 0;
        for (int32_t y0 = 0; y0 < p.height; y0 += 64) {
            const int32_t y1 = std::min(p.height, y0 + 64);
            RenderStarRows(p, band.data(), p.width, y0, y1);
            const auto start = std::chrono::steady_clock::now();
            for (int32_t y = y0; y < y1; ++y) {
                const auto *row =
                    reinterpret_cast<const unsigned char *>(&band[std::size_t(y - y0) * p.width]);
                filtered[0] = 1; // Sub
                for (std::size_t i = 0; i < std::size_t(p.width) * 4; ++i)
                    filtered[1 + i] = (unsigned char)(row[i] - (i >= 4 ? row[i - 4] : 0));
                z.next_in = filtered.data();
                z.avail_in = uInt(filtered.size());
                const int flush = y + 1 == p.height ? Z_FINISH : Z_NO_FLUSH;
                do {
                    z.next_out = out.data();
                    z.avail_out = uInt(out.size());
                    deflate(&z, flush);
                    compressed += out.size() - z.avail_out;
                } while (z.avail_out == 0);
            }
            seconds += Seconds(start);
        }
        deflateEnd(&z);
        state.SetIterationTime(seconds);
        state.counters["deflated_MiB"] = double(compressed) / (1 << 20);
    }
}

// (b) As many bytes as the BMP, written with plain write calls.
void BM_PlainWriteOfBmpSize(benchmark::State &state) {
    std::filesystem::create_directories(kScratch);
    const std::string output = (kScratch / "plain.bin").string();
    const StarPicture p = DefaultPictureAtX64();
    const std::size_t total =
        BmpWriter::kHeaderSize + std::size_t(BmpWriter::RowBytes(p.width)) * std::size_t(p.height);
    const std::vector<char> block(1 << 20, 'x');
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (std::size_t left = total; left > 0;) {
            const std::size_t n = std::min(left, block.size());
            if (write(fd, block.data(), n) != ssize_t(n)) {
                state.SkipWithError("write failed");
                break;
            }
            left -= n;
        }
        close(fd);
        state.SetIterationTime(Seconds(start));
    }
    std::filesystem::remove(output);
}

// The exports run first: a child forked from a process that holds a whole picture
// would count the parent's pages in its own peak.
BENCHMARK_CAPTURE(BM_RenderToFile, bmp, "bmp", nullptr)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderToFile, jpeg, "jpg", nullptr)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderToFile, png, "png", nullptr)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderToFile, png_transparent, "png", "--transparent")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
// Smooth edges at their exact area: goal within 1.5x of the aliased transparent PNG
// above, under 64 MiB.
BENCHMARK_CAPTURE(BM_RenderToFile, png_transparent_smooth, "png", "--transparent --smooth")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderToFile, png_transparent_smooth_filled, "png",
                  "--transparent --smooth filled")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
// A comic burst: 50 jags, rounded tips and valleys, uneven, an outline 8 pixels wide;
// goal within 2x of the plain PNG and under 64 MiB.
BENCHMARK_CAPTURE(BM_RenderToFile, png_burst_transparent_smooth, "png",
                  "--points 50 --tip-rounding 50 --valley-rounding 50 --irregularity 30 "
                  "--seed 7 --line-width 8 --transparent --smooth")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
// Z_DEFAULT_STRATEGY (0), as the writer had it, and Z_RLE (3), as it has it now.
BENCHMARK(BM_PngDeflateStrategy)
    ->Arg(Z_DEFAULT_STRATEGY)
    ->Arg(Z_RLE)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteOfBmpSize)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegFromMemory)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngFullFrame)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
