#pragma once

#include <QColor>
#include <cstdint>

class QPalette;

// Colours as the lists keep them: &H00BBGGRR, red in the low byte.

// The system's button-face colour, which the preview and the swatch show
// when the selection has no single colour.
constexpr int32_t kButtonFace = static_cast<int32_t>(0x8000000F);

// Black text on a light colour, white on a dark one: white when the mean
// of red, green and blue is below 125 (the button-face code counts as dark).
int32_t GetContrastTextColor(int32_t color);

// The colour to paint; the button-face code is taken from the palette.
QColor paintColor(int32_t color, const QPalette& palette);
