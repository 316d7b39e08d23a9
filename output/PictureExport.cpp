#include "PictureExport.h"

#include "BmpWriter.h"
#include "JpegWriter.h"
#include "PngWriter.h"
#include "SvgPicture.h"

#include "OutputFile.h"

#include <algorithm>
#include <future>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t kBandBytes = 4 << 20; // per band buffer; two are in use at once

int32_t BandRowsFor(int32_t width) {
    const std::size_t rowBytes = std::max<std::size_t>(1, std::size_t(width) * sizeof(Pixel));
    return int32_t(std::clamp<std::size_t>(kBandBytes / rowBytes, 1, 1024));
}

class OutputFileSink : public ByteSink {
public:
    explicit OutputFileSink(OutputFile &file) : file_(file) {}
    bool Write(const void *data, std::size_t size) override { return file_.Write(data, size); }

private:
    OutputFile &file_;
};

} // namespace

ExportFailure FormatSizeLimit(PictureFormat format, int64_t width, int64_t height) {
    if (format == PictureFormat::Jpeg &&
        (width > JpegWriter::kMaxSide || height > JpegWriter::kMaxSide))
        return ExportFailure::TooLargeForJpeg;
    if (format == PictureFormat::Bmp &&
        int64_t(BmpWriter::RowBytes(int32_t(width))) * height + BmpWriter::kHeaderSize >
            int64_t(std::numeric_limits<uint32_t>::max()))
        return ExportFailure::TooLargeForBmp;
    return ExportFailure::None;
}

bool FormatCarriesAlpha(PictureFormat format) {
    return format == PictureFormat::Png || format == PictureFormat::Svg;
}

StarPicture PictureForFormat(StarPicture picture, PictureFormat format) {
    picture.transparent = picture.transparent && FormatCarriesAlpha(format);
    return picture;
}

std::unique_ptr<PictureWriter> MakePictureWriter(PictureFormat format, ByteSink &sink, bool alpha) {
    switch (format) {
    case PictureFormat::Jpeg:
        return std::make_unique<JpegWriter>(sink);
    case PictureFormat::Png:
        return std::make_unique<PngWriter>(sink, alpha);
    default:
        return std::make_unique<BmpWriter>(sink);
    }
}

bool WritePicture(const StarPicture &picture, PictureWriter &writer, const ExportProgress &progress,
                  int32_t bandRows) {
    const int32_t width = picture.width, height = picture.height;
    if (bandRows <= 0)
        bandRows = BandRowsFor(width);
    bandRows = std::max<int32_t>(1, std::min(bandRows, std::max(height, 1)));
    const int32_t bands = (height + bandRows - 1) / bandRows;
    const bool bottomUp = writer.BottomUp();
    // Band i covers rows [first, first + count), bands taken in the writer's order.
    const auto bandRange = [&](int32_t i) {
        const int32_t k = bottomUp ? bands - 1 - i : i;
        const int32_t first = k * bandRows;
        return std::pair{first, std::min(bandRows, height - first)};
    };
    std::vector<Pixel> buffers[2];
    for (auto &b : buffers)
        b.resize(std::size_t(width) * std::size_t(std::min(bandRows, height)));
    const auto render = [&](int32_t i) {
        const auto [first, count] = bandRange(i);
        RenderStarRows(picture, buffers[i % 2].data(), width, first, first + count);
    };

    writer.Begin(width, height);
    std::future<void> next;
    if (bands > 0)
        next = std::async(std::launch::async, render, 0);
    int64_t done = 0;
    for (int32_t i = 0; i < bands; ++i) {
        next.get();
        if (i + 1 < bands)
            next = std::async(std::launch::async, render, i + 1);
        const auto [first, count] = bandRange(i);
        try {
            writer.WriteRows(buffers[i % 2].data(), width, first, count);
        } catch (...) {
            if (next.valid())
                next.wait(); // the renderer still uses the other buffer
            throw;
        }
        done += count;
        if (progress && !progress(done, height)) {
            if (next.valid())
                next.wait();
            return false;
        }
    }
    writer.Finish();
    return true;
}

ExportResult ExportPictureFile(const std::string &path, const StarPicture &shown,
                               PictureFormat format, const ExportProgress &progress) {
    if (const ExportFailure limit = FormatSizeLimit(format, shown.width, shown.height);
        limit != ExportFailure::None)
        return {ExportResult::Failed, limit,
                std::to_string(shown.width) + " x " + std::to_string(shown.height)};
    // Opened before anything is rendered, so a name that cannot be created fails at
    // once. The writers buffer themselves; the file writes straight through.
    OutputFile file(path);
    if (!file.Open())
        return {ExportResult::Failed,
                file.FailedAt() == OutputFile::Failure::NoTemporary ? ExportFailure::NoTemporary
                                                                    : ExportFailure::CannotCreate,
                file.Error(), file.Folder()};
    const StarPicture picture = PictureForFormat(shown, format);
    OutputFileSink sink(file);
    try {
        if (format == PictureFormat::Svg) {
            const std::string svg = StarSvg(picture);
            if (!sink.Write(svg.data(), svg.size()))
                throw ExportError(ExportFailure::Write);
        } else {
            const std::unique_ptr<PictureWriter> writer =
                MakePictureWriter(format, sink, picture.transparent);
            if (!WritePicture(picture, *writer, progress)) {
                file.Cancel();
                return {ExportResult::Cancelled};
            }
        }
    } catch (const ExportError &error) {
        file.Cancel();
        // A failed write's cause is the file's, not the encoder's.
        return {ExportResult::Failed, error.Failure(),
                error.Failure() == ExportFailure::Write ? file.Error() : error.what()};
    } catch (const std::bad_alloc &) {
        // The band buffers, the encoders and the render thread all allocate: running
        // short of memory or threads fails this export, not the program.
        file.Cancel();
        return {ExportResult::Failed, ExportFailure::OutOfMemory};
    } catch (const std::system_error &error) {
        file.Cancel();
        return {ExportResult::Failed, ExportFailure::NoThread, error.what()};
    }
    if (!file.Commit()) {
        const OutputFile::Failure step = file.FailedAt();
        return {ExportResult::Failed,
                step == OutputFile::Failure::Write        ? ExportFailure::Write
                : step == OutputFile::Failure::FolderSync ? ExportFailure::FolderSync
                                                          : ExportFailure::Commit,
                file.Error()};
    }
    return {ExportResult::Written};
}
