#include "panel/PanelColors.h"

#include <QPalette>

int32_t GetContrastTextColor(int32_t color) {
    const int32_t r = color & 255;
    const int32_t g = (color / 256) & 255;
    const int32_t b = (color >> 16) & 255;
    return (r + g + b) / 3.0 < 125 ? 0xFFFFFF : 0;
}

QColor paintColor(int32_t color, const QPalette& palette) {
    if (color == kButtonFace)
        return palette.color(QPalette::Button);
    return QColor(color & 255, (color >> 8) & 255, (color >> 16) & 255);
}
