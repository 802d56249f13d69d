#pragma once

#include "platform/ImageBox.h"

#include <QImage>
#include <QString>
#include <cstdint>

// The rendering host: made for one rendering and dropped afterwards.
class frmLeadControl {
public:
    frmLeadControl();

    ImageBox LEAD1; // the picture being rendered, and the result
    ImageBox LEAD2; // the canvas for tiling, and the logo while it is copied
    QImage picLogo; // 198 x 30; its pure blue pixels are see-through
    // The monitor rendered for, in device pixels; empty for the primary
    // screen.
    QSize monitor;
};

// Renders the picture into host.LEAD1: loads it, turns it clockwise by
// rotation (quarter turns; other angles count as 0), crops it (left -1: no
// crop; the rectangle is clipped to the turned picture and ignored when
// nothing of it remains), places it and lays the logo on when the setting
// asks. Position 0 is resolved to 2 or 4 and written back. Returns 0, the
// loader's code, or a run-time error number.
int32_t BuildWallpaperImage(frmLeadControl& host, const QString& path, int16_t& position,
                            int32_t left, int32_t top, int32_t width, int32_t height,
                            int32_t& rotation);

// The placements, on the picture in host.LEAD1 and the host's monitor.
void PlaceImageBestFit(frmLeadControl& host);
void PlaceImageStretched(frmLeadControl& host);
void PlaceImageCentered(frmLeadControl& host);
void PlaceImageTiled(frmLeadControl& host);
int16_t ChooseAutoPosition(frmLeadControl& host);
// Copies the logo held in host.LEAD2 onto host.LEAD1 with its top-left at
// (dx, dy), leaving out its pure blue pixels.
void OverlayLogo(frmLeadControl& host, int32_t dx, int32_t dy, int32_t logoWidth,
                 int32_t logoHeight);
