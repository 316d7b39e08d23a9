#pragma once

#include "PictureWriter.h"

#include <vector>

// A 24-bit Windows BMP: 54-byte header, no colour table, bottom row first, each
// row blue-green-red padded to a multiple of 4 bytes.
class BmpWriter : public PictureWriter {
public:
    explicit BmpWriter(ByteSink &sink) : sink_(sink) {}
    bool BottomUp() const override { return true; }
    void Begin(int32_t width, int32_t height) override;
    void WriteRows(const Pixel *rows, std::ptrdiff_t stride, int32_t y, int32_t count) override;
    void Finish() override {}

    static constexpr uint32_t kHeaderSize = 54;
    // Bytes of one stored row: 3 per pixel, rounded up to a multiple of 4.
    static uint64_t RowBytes(int32_t width) { return (uint64_t(width) * 24 + 31) / 32 * 4; }

private:
    ByteSink &sink_;
    int32_t width_ = 0;
    std::vector<uint8_t> row_;
};
