#include "PngWriter.h"

#include "StarPicture.h"

#include <csetjmp>
#include <png.h>
#include <string>
#include <zlib.h>

namespace {

constexpr png_uint_32 kMaxPngSide = png_uint_32(kMaxAreaSide) * settings_range::kMaxSaveRate;

} // namespace

// libpng reports errors by jumping back to the setjmp in Guarded(); no C++ object
// with a destructor lives in the frames the jump skips.
struct PngWriter::Encoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ByteSink *sink = nullptr;
    bool writeFailed = false;
    std::string libraryMessage;

    static Encoder &Of(png_structp p) { return *static_cast<Encoder *>(png_get_io_ptr(p)); }
    static void OnWrite(png_structp p, png_bytep data, png_size_t size) {
        Encoder &e = Of(p);
        if (!e.sink->Write(data, size)) {
            e.writeFailed = true;
            png_error(p, "write failed");
        }
    }
    static void OnFlush(png_structp) {}
    static void OnError(png_structp p, png_const_charp message) {
        auto *e = static_cast<Encoder *>(png_get_error_ptr(p));
        e->libraryMessage = message;
        png_longjmp(p, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}

    template <typename Step> bool Guarded(Step step) {
        if (setjmp(png_jmpbuf(png)))
            return false;
        step();
        return true;
    }

    [[noreturn]] void Fail() {
        if (writeFailed)
            throw ExportError(ExportFailure::Write);
        throw ExportError(ExportFailure::Png, libraryMessage);
    }
};

PngWriter::PngWriter(ByteSink &sink, bool alpha)
    : encoder_(std::make_unique<Encoder>()), alpha_(alpha) {
    Encoder &e = *encoder_;
    e.sink = &sink;
    e.png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &e, Encoder::OnError, Encoder::OnWarning);
    if (!e.png)
        throw ExportError(ExportFailure::OutOfMemory);
    e.info = png_create_info_struct(e.png);
    if (!e.info) {
        png_destroy_write_struct(&e.png, nullptr);
        throw ExportError(ExportFailure::OutOfMemory);
    }
    png_set_write_fn(e.png, &e, Encoder::OnWrite, Encoder::OnFlush);
    // libpng refuses rows wider than a million pixels unless told otherwise; the
    // largest picture is 16384 x 64 pixels a side.
    png_set_user_limits(e.png, kMaxPngSide, kMaxPngSide);
}

PngWriter::~PngWriter() {
    png_destroy_write_struct(&encoder_->png, &encoder_->info);
}

void PngWriter::Begin(int32_t width, int32_t height) {
    Encoder &e = *encoder_;
    const bool ok = e.Guarded([&] {
        png_set_IHDR(e.png, e.info, png_uint_32(width), png_uint_32(height), 8,
                     alpha_ ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        // Flat areas and thin lines: the cheapest filter and fast deflate do
        // nearly as well as the slow settings, at a fraction of the time. After the
        // Sub filter a row is long runs of zeros, which run-length matching alone
        // finds as well as a full search, at level 1's speed.
        png_set_filter(e.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
        png_set_compression_level(e.png, 1);
        png_set_compression_strategy(e.png, Z_RLE);
        png_write_info(e.png, e.info);
        // The rows come as blue, green, red, then alpha or an unused byte.
        png_set_bgr(e.png);
        if (!alpha_)
            png_set_filler(e.png, 0, PNG_FILLER_AFTER);
    });
    if (!ok)
        e.Fail();
}

void PngWriter::WriteRows(const Pixel *rows, std::ptrdiff_t stride, int32_t, int32_t count) {
    Encoder &e = *encoder_;
    const bool ok = e.Guarded([&] {
        for (int32_t i = 0; i < count; ++i)
            png_write_row(e.png, reinterpret_cast<png_const_bytep>(rows + i * stride));
    });
    if (!ok)
        e.Fail();
}

void PngWriter::Finish() {
    Encoder &e = *encoder_;
    if (!e.Guarded([&e] { png_write_end(e.png, nullptr); }))
        e.Fail();
}
