#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <cstdint>

// Where the rendered wallpaper goes in the preview. The picture is scaled
// by the ratio of the preview to the screen, so the preview shows it as the
// desktop will; the desktop then centres it when a border is set, and
// otherwise tiles it from the corner, stretches it or centres it.
struct PreviewPlacement {
    bool placed = false; // false: the placement is unknown and nothing is drawn
    QRectF display;      // where the picture is drawn, in the preview's pixels
    QRect clip;          // what of the preview painting may touch
};

// picture: the rendered wallpaper; screen: the screen in pixels; inner:
// the preview's size; border: the border setting; position: the placement
// the renderer used (1 tile, 2 centre, 3 stretch, 4 best fit).
PreviewPlacement previewPlacement(QSize picture, QSize screen, QSize inner, int32_t border,
                                  int16_t position);
