#pragma once

#include "StarPicture.h"

class QImage;

// Where the export commands take the picture from: the star as it stands, drawn for
// output (at the magnification, never over the desktop backdrop).
class PictureSource {
public:
    virtual ~PictureSource() = default;
    // Everything needed to render the output picture, band by band.
    virtual StarPicture OutputPicture() const = 0;
    // The output picture rendered whole into bitmap, sized here; a null bitmap when
    // its memory cannot be had.
    virtual void RenderOutput(QImage &bitmap) = 0;
};
