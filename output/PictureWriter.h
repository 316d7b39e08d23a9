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

// What stopped an export; the windows and vantrell-render word it in the
// interface's language (ExportFailureText).
enum class ExportFailure {
    None,
    CannotCreate,    // the file could not be opened; cause: the system's reason
    NoTemporary,     // no temporary file beside an existing one, which is kept
    Write,           // writing failed; cause: the system's reason
    Commit,          // the finished file could not be put in place
    FolderSync,      // the new file is in place, its folder not synced; cause: the reason
    TooLargeForBmp,  // cause: "W x H"
    TooLargeForJpeg, // cause: "W x H"
    Jpeg,            // cause: libjpeg's message number and text
    Png,             // cause: libpng's message
    OutOfMemory,
    NoThread, // cause: the system's reason
};

// A failed export: what failed and its cause.
class ExportError : public std::runtime_error {
public:
    explicit ExportError(ExportFailure failure, const std::string &cause = {})
        : std::runtime_error(cause), failure_(failure) {}
    ExportFailure Failure() const { return failure_; }

private:
    ExportFailure failure_;
};

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
