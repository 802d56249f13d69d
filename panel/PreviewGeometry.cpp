#include "panel/PreviewGeometry.h"

#include "engine/WallpaperPlacement.h"
#include "runtime/Conversions.h"

PreviewPlacement previewPlacement(QSize picture, QSize screen, QSize inner, int32_t border,
                                  int16_t position) {
    PreviewPlacement out;
    if (screen.width() < 1 || screen.height() < 1)
        return out;
    // The ratios are single-precision values, as the sizes were scaled
    // with them when the preview was first drawn this way.
    const float ratioX = float(inner.width()) / float(screen.width());
    const float ratioY = float(inner.height()) / float(screen.height());
    const double w = roundHalfEven(double(float(picture.width()) * ratioX));
    const double h = roundHalfEven(double(float(picture.height()) * ratioY));
    const QRectF whole(0, 0, inner.width(), inner.height());
    const QRectF centred((inner.width() - w) / 2, (inner.height() - h) / 2, w, h);
    out.clip = QRect(QPoint(0, 0), inner);
    out.placed = true;
    if (border != 0) {
        out.display = centred;
        return out;
    }
    switch (position) {
    case placement::Tile:
        out.display = QRectF(0, 0, w, h);
        break;
    case placement::Stretch:
        out.display = whole;
        break;
    case placement::Centre:
    case placement::BestFit:
        out.display = centred;
        break;
    default:
        out.placed = false;
        break;
    }
    return out;
}
