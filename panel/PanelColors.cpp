#include "panel/PanelColors.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

// The relative luminance of a colour: its channels made linear again and
// weighed as the eye weighs them.
double luminance(const QColor& c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor contrastTextColor(const QColor& swatch) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, swatch) >= contrastRatio(white, swatch) ? black : white;
}

int32_t GetContrastTextColor(int32_t color, const QPalette& palette) {
    return contrastTextColor(paintColor(color, palette)) == QColor(Qt::black) ? 0 : 0xFFFFFF;
}

QColor paintColor(int32_t color, const QPalette& palette) {
    if (color == kButtonFace)
        return palette.color(QPalette::Button);
    return QColor(color & 255, (color >> 8) & 255, (color >> 16) & 255);
}
