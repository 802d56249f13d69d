#pragma once

#include "platform/Desktop.h"

#include <QImage>
#include <QRgb>
#include <QSize>
#include <cstdint>
#include <optional>

// The whole screen as the desktop is to show it: the colour, and the bitmap
// tiled from the top-left corner, stretched, or centred (cut evenly where it
// is larger). Tiling wins over the style.
QImage composeScreen(QSize screen, const DesktopValues& values, const QImage& bitmap, QRgb colour);

// A colour &H00BBGGRR as a pixel.
QRgb pixelColour(int32_t bgr);

// The colour to compose with: the one given, else the one given last (kept
// in `last`), else black.
QRgb desktopColour(const DesktopValues& values, std::optional<int32_t>& last);
