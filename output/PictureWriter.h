#pragma once

#include "ColorValue.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// Where encoded bytes go. Write returns false when the bytes could not be stored.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const void *data, std::size_t size) = 0;
};

// A failed export, carrying the text to show the user.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The texts of export failures.
std::string CannotCreateFileText(const std::string &path, const std::string &cause);
std::string WriteErrorText();
std::string JpegErrorText(int messageCode);

// Encodes a picture handed over in bands of rows. The rows must arrive in the
// writer's order: top row first, or bottom row first when BottomUp() is true.
// Failures throw ExportError.
class PictureWriter {
public:
    virtual ~PictureWriter() = default;
    virtual bool BottomUp() const { return false; }
    virtual void Begin(int32_t width, int32_t height) = 0;
    // count rows of the picture, starting with row y, stored top to bottom at rows
    // with stride pixels between rows.
    virtual void WriteRows(const Pixel *rows, std::ptrdiff_t stride, int32_t y, int32_t count) = 0;
    virtual void Finish() = 0;
};
