#pragma once

#include "platform/Desktop.h"
#include "platform/Monitors.h"

#include <QHash>
#include <QImage>
#include <QRgb>
#include <QSize>
#include <cstdint>
#include <optional>

// The whole screen as the desktop is to show it: the colour, and the bitmap
// tiled from the top-left corner, stretched, or centred (cut evenly where it
// is larger). Tiling wins over the style.
QImage composeScreen(QSize screen, const DesktopValues& values, const QImage& bitmap, QRgb colour);

// The bitmap to place on a monitor of a size: the entry rendered for that
// size where the values can render it, else the bitmap. Each size is
// rendered once.
class MonitorBitmaps {
public:
    MonitorBitmaps(const DesktopValues& values, QImage bitmap);
    const QImage& forSize(QSize monitor);

private:
    const DesktopValues& values_;
    QImage bitmap_;
    QHash<quint64, QImage> rendered_;
};

// One monitor as the desktop is to show it.
QImage composeMonitor(QSize monitor, const DesktopValues& values, MonitorBitmaps& bitmaps,
                      QRgb colour);
// The rectangle `bounds` of the layout: each monitor's part composed for
// that monitor, nothing of it across the edge of another, and the colour
// where no monitor is. Where monitors overlap, the primary's picture shows.
QImage composeLayout(const QRect& bounds, const QList<Monitor>& monitors,
                     const DesktopValues& values, MonitorBitmaps& bitmaps, QRgb colour);

// A colour &H00BBGGRR as a pixel.
QRgb pixelColour(int32_t bgr);

// The colour to compose with: the one given, else the one given last (kept
// in `last`), else black.
QRgb desktopColour(const DesktopValues& values, std::optional<int32_t>& last);
