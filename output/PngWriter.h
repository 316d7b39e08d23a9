#pragma once

#include "PictureWriter.h"

#include <memory>

// An 8-bit RGB PNG without interlace, rows streamed top row first; RGBA with the
// pixels' alpha bytes when alpha is set.
class PngWriter : public PictureWriter {
public:
    explicit PngWriter(ByteSink &sink, bool alpha = false);
    ~PngWriter() override;
    void Begin(int32_t width, int32_t height) override;
    void WriteRows(const Pixel *rows, std::ptrdiff_t stride, int32_t y, int32_t count) override;
    void Finish() override;

private:
    struct Encoder;
    std::unique_ptr<Encoder> encoder_;
    bool alpha_;
};
