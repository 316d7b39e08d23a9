#include "JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <string>

static_assert(JpegWriter::kMaxSide == JPEG_MAX_DIMENSION);

// libjpeg reports errors through a callback that must not return. It jumps back
// to Guarded(), whose callers turn the failure into an ExportError; no C++ object
// with a destructor lives in the frames the jump skips.
struct JpegWriter::Encoder {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf jump{};
    ByteSink *sink = nullptr;
    bool writeFailed = false;
    bool started = false;
    static constexpr std::size_t kBufferSize = 1 << 16;
    JOCTET buffer[kBufferSize];

    static Encoder &Of(j_compress_ptr c) { return *static_cast<Encoder *>(c->client_data); }

    static void OnError(j_common_ptr c) {
        std::longjmp(Of(reinterpret_cast<j_compress_ptr>(c)).jump, 1);
    }
    static void OnMessage(j_common_ptr, int) {} // warnings and traces stay quiet
    static void InitDestination(j_compress_ptr c) {
        c->dest->next_output_byte = Of(c).buffer;
        c->dest->free_in_buffer = kBufferSize;
    }
    static void Flush(j_compress_ptr c, std::size_t size) {
        Encoder &e = Of(c);
        if (!e.sink->Write(e.buffer, size)) {
            e.writeFailed = true;
            std::longjmp(e.jump, 1);
        }
    }
    static boolean EmptyBuffer(j_compress_ptr c) {
        Flush(c, kBufferSize);
        InitDestination(c);
        return TRUE;
    }
    static void TermDestination(j_compress_ptr c) {
        Flush(c, kBufferSize - c->dest->free_in_buffer);
    }

    // Runs step; false when libjpeg or the sink failed inside it.
    template <typename Step> bool Guarded(Step step) {
        if (setjmp(jump))
            return false;
        step();
        return true;
    }

    [[noreturn]] void Fail() {
        if (writeFailed)
            throw ExportError(ExportFailure::Write);
        char text[JMSG_LENGTH_MAX] = {};
        errors.format_message(reinterpret_cast<j_common_ptr>(&cinfo), text);
        throw ExportError(ExportFailure::Jpeg, std::to_string(errors.msg_code) + " (" + text + ")");
    }
};

JpegWriter::JpegWriter(ByteSink &sink) : encoder_(std::make_unique<Encoder>()) {
    Encoder &e = *encoder_;
    e.sink = &sink;
    e.cinfo.err = jpeg_std_error(&e.errors);
    e.errors.error_exit = Encoder::OnError;
    e.errors.emit_message = Encoder::OnMessage;
    e.cinfo.client_data = &e;
    jpeg_create_compress(&e.cinfo);
    e.destination.init_destination = Encoder::InitDestination;
    e.destination.empty_output_buffer = Encoder::EmptyBuffer;
    e.destination.term_destination = Encoder::TermDestination;
    e.cinfo.dest = &e.destination;
}

JpegWriter::~JpegWriter() {
    jpeg_destroy_compress(&encoder_->cinfo);
}

void JpegWriter::Begin(int32_t width, int32_t height) {
    Encoder &e = *encoder_;
    e.cinfo.image_width = JDIMENSION(width);
    e.cinfo.image_height = JDIMENSION(height);
    // The picture's own pixels go in as they are: blue, green, red, unused.
    e.cinfo.input_components = 4;
    e.cinfo.in_color_space = JCS_EXT_BGRX;
    const bool ok = e.Guarded([&e] {
        jpeg_set_defaults(&e.cinfo);
        jpeg_set_quality(&e.cinfo, 100, TRUE);
        jpeg_start_compress(&e.cinfo, TRUE);
    });
    if (!ok)
        e.Fail();
    e.started = true;
}

void JpegWriter::WriteRows(const Pixel *rows, std::ptrdiff_t stride, int32_t, int32_t count) {
    Encoder &e = *encoder_;
    const bool ok = e.Guarded([&] {
        for (int32_t i = 0; i < count; ++i) {
            JSAMPROW row =
                const_cast<JSAMPROW>(reinterpret_cast<const JSAMPLE *>(rows + i * stride));
            jpeg_write_scanlines(&e.cinfo, &row, 1);
        }
    });
    if (!ok)
        e.Fail();
}

void JpegWriter::Finish() {
    Encoder &e = *encoder_;
    if (!e.Guarded([&e] { jpeg_finish_compress(&e.cinfo); }))
        e.Fail();
}
