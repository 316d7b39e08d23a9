#pragma once

#include "PictureFormat.h"
#include "PictureWriter.h"
#include "StarPicture.h"

#include <functional>
#include <memory>
#include <string>

// Told how many of the picture's rows are written so far; returns false to cancel.
using ExportProgress = std::function<bool(int64_t rowsDone, int64_t rowsTotal)>;

// The row writer of a raster format (BMP, JPEG or PNG) over sink. With alpha, the
// formats that can carry it (PNG) take the pixels' alpha bytes; BMP and JPEG ignore it.
std::unique_ptr<PictureWriter> MakePictureWriter(PictureFormat format, ByteSink &sink,
                                                 bool alpha = false);
// Whether the format keeps a transparent background.
bool FormatCarriesAlpha(PictureFormat format);
// The picture as a file of the format shows it: a format that cannot carry alpha
// gets the picture over its background colour, its edges blended as on screen.
StarPicture PictureForFormat(StarPicture picture, PictureFormat format);

// Renders the picture band by band and hands the rows to the writer in its order,
// so memory stays bounded at any size. The next band renders on a second thread
// while the writer encodes the current one. bandRows 0 picks a band of a few MiB.
// Returns false when progress cancelled; writer failures throw ExportError.
bool WritePicture(const StarPicture &picture, PictureWriter &writer,
                  const ExportProgress &progress = {}, int32_t bandRows = 0);

struct ExportResult {
    enum Status { Written, Cancelled, Failed } status;
    ExportFailure failure = ExportFailure::None; // for Failed: what failed
    std::string cause = {};                      // its cause (see ExportFailure)
    std::string folder = {}; // NoTemporary: where no temporary file could be made
};

// The failure a picture of this size meets in the format before anything is
// written (BMP's 4 GiB, JPEG's 65500 pixels a side), or None.
ExportFailure FormatSizeLimit(PictureFormat format, int64_t width, int64_t height);

// Writes PictureForFormat(picture, format) to path (bytes, as the file system names
// it) as an OutputFile: a regular file through a temporary file renamed over it
// on success, so a failure or a cancel leaves any old file untouched; a FIFO or
// device in place; "-" to standard output. A picture too large for the format is
// refused before the file is opened. Running out of memory or threads is a
// failure like any other.
ExportResult ExportPictureFile(const std::string &path, const StarPicture &picture,
                               PictureFormat format, const ExportProgress &progress = {});
