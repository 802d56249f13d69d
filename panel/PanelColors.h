#pragma once

#include <QColor>
#include <cstdint>

class QPalette;

// Colours as the lists keep them: &H00BBGGRR, red in the low byte.

// The system's button-face colour, which the preview and the swatch show
// when the selection has no single colour.
constexpr int32_t kButtonFace = static_cast<int32_t>(0x8000000F);

// Black text on a light colour, white on a dark one: whichever of the two
// stands out more from the colour as the eye sees it (bright green is
// light, deep blue is dark). The button-face code is taken from the
// palette, so the system's grey gets the text that reads on it.
int32_t GetContrastTextColor(int32_t color, const QPalette& palette);
// The same choice for a colour as painted.
QColor contrastTextColor(const QColor& swatch);
// How far two colours stand apart in brightness: 1 (the same) to 21
// (black and white).
double contrastRatio(const QColor& a, const QColor& b);

// The colour to paint; the button-face code is taken from the palette.
QColor paintColor(int32_t color, const QPalette& palette);
