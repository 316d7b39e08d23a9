#pragma once

#include "PictureWriter.h"

#include <memory>

// A baseline JFIF file at quality 100 from libjpeg's defaults, one row per call
// of the encoder, top row first.
class JpegWriter : public PictureWriter {
public:
    explicit JpegWriter(ByteSink &sink);
    ~JpegWriter() override;
    void Begin(int32_t width, int32_t height) override;
    void WriteRows(const Pixel *rows, std::ptrdiff_t stride, int32_t y, int32_t count) override;
    void Finish() override;

    // The widest and highest picture a JPEG file holds, in pixels.
    static constexpr int64_t kMaxSide = 65500;

private:
    struct Encoder;
    std::unique_ptr<Encoder> encoder_;
};
