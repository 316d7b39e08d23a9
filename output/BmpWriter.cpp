#include "BmpWriter.h"

#include <array>
#include <limits>
#include <string>

namespace {

void Put16(uint8_t *p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t *p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

} // namespace

void BmpWriter::Begin(int32_t width, int32_t height) {
    width_ = width;
    const uint64_t imageSize = RowBytes(width) * uint64_t(height);
    if (imageSize + kHeaderSize > std::numeric_limits<uint32_t>::max())
        throw ExportError(ExportFailure::TooLargeForBmp,
                          std::to_string(width) + " x " + std::to_string(height));
    std::array<uint8_t, kHeaderSize> h{};
    h[0] = 'B';
    h[1] = 'M';
    Put32(&h[2], uint32_t(kHeaderSize + imageSize));
    Put32(&h[10], kHeaderSize);
    Put32(&h[14], 40);
    Put32(&h[18], uint32_t(width));
    Put32(&h[22], uint32_t(height));
    Put16(&h[26], 1);
    Put16(&h[28], 24);
    Put32(&h[34], uint32_t(imageSize));
    if (!sink_.Write(h.data(), h.size()))
        throw ExportError(ExportFailure::Write);
    row_.assign(RowBytes(width), 0);
}

void BmpWriter::WriteRows(const Pixel *rows, std::ptrdiff_t stride, int32_t, int32_t count) {
    for (int32_t i = count - 1; i >= 0; --i) {
        const Pixel *src = rows + i * stride;
        uint8_t *dst = row_.data();
        for (int32_t x = 0; x < width_; ++x, dst += 3) {
            dst[0] = uint8_t(src[x]);
            dst[1] = uint8_t(src[x] >> 8);
            dst[2] = uint8_t(src[x] >> 16);
        }
        if (!sink_.Write(row_.data(), row_.size()))
            throw ExportError(ExportFailure::Write);
    }
}
