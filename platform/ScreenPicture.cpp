#include "platform/ScreenPicture.h"

#include <QPainter>

QImage composeScreen(QSize screen, const DesktopValues& values, const QImage& bitmap, QRgb colour) {
    QImage canvas(screen, QImage::Format_RGB32);
    canvas.fill(colour);
    if (bitmap.isNull())
        return canvas;
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (values.tile) {
        for (int y = 0; y < screen.height(); y += bitmap.height())
            for (int x = 0; x < screen.width(); x += bitmap.width())
                painter.drawImage(x, y, bitmap);
    } else if (values.style == 2) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(canvas.rect(), bitmap);
    } else {
        painter.drawImage((screen.width() - bitmap.width()) / 2,
                          (screen.height() - bitmap.height()) / 2, bitmap);
    }
    return canvas;
}

QRgb pixelColour(int32_t bgr) {
    const quint32 c = quint32(bgr);
    return qRgb(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff));
}

QRgb desktopColour(const DesktopValues& values, std::optional<int32_t>& last) {
    if (values.background)
        last = values.background;
    return pixelColour(last.value_or(0));
}
