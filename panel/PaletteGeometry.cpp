#include "panel/PaletteGeometry.h"

#include "runtime/Conversions.h"

#include <algorithm>

int paletteRows(int colours) {
    if (colours <= 0)
        return 0;
    return colours / 4 + (colours % 4 != 0 ? 1 : 0);
}

PaletteLayout paletteLayout(int colours, int width, int holderHeight, int customHeight) {
    PaletteLayout out;
    out.rows = paletteRows(colours);
    out.cell = std::max(0, width - 50) / 4;
    out.customTop = out.rows * out.cell + 25;
    out.customWidth = 4 * out.cell;
    out.height = out.customTop + customHeight;
    const int overflow = out.height - holderHeight;
    // A palette that fits sits at the top and has nothing to scroll; one
    // that is taller by less than half a unit still gets one unit, so its
    // top can be reached.
    out.scrolls = overflow > 0;
    if (out.scrolls)
        out.scrollMax = std::max(1, static_cast<int>(roundHalfEven(overflow / 100.0)));
    return out;
}

QRect paletteWell(int index, int cell) {
    const int c = index % 4;
    const int r = index / 4;
    return QRect(QPoint(c * cell + 25, r * cell + 25), QPoint(c * cell + cell, r * cell + cell));
}

int paletteHit(int colours, double x, double y, int width, int height, int customHeight) {
    const int rows = paletteRows(colours);
    if (rows == 0)
        return -1;
    const int columnWidth = static_cast<int>(roundHalfEven(width / 4.0));
    const int rowHeight = static_cast<int>(roundHalfEven((height - customHeight) / double(rows)));
    if (columnWidth <= 0 || rowHeight <= 0)
        return -1;
    const int column = static_cast<int>(roundHalfEven(x)) / columnWidth + 1;
    const int row = static_cast<int>(roundHalfEven(y)) / rowHeight + 1;
    const int k = row * 4 + column - 4;
    return k >= 1 && k <= colours ? k - 1 : -1;
}

int paletteTop(int value, const PaletteLayout& layout, int holderHeight) {
    if (!layout.scrolls)
        return 0;
    if (value > layout.scrollMax - 1)
        return holderHeight - layout.height;
    return -(value * 100);
}
