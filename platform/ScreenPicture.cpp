#include "platform/ScreenPicture.h"

#include <QPainter>
#include <utility>

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

MonitorBitmaps::MonitorBitmaps(const DesktopValues& values, QImage bitmap)
    : values_(values), bitmap_(std::move(bitmap)) {}

const QImage& MonitorBitmaps::forSize(QSize monitor) {
    if (!values_.bitmapFor || bitmap_.isNull() || monitor.isEmpty())
        return bitmap_;
    const quint64 key = (quint64(quint32(monitor.width())) << 32) | quint32(monitor.height());
    auto found = rendered_.find(key);
    if (found == rendered_.end())
        found = rendered_.insert(key, values_.bitmapFor(monitor));
    return found->isNull() ? bitmap_ : *found;
}

QImage composeMonitor(QSize monitor, const DesktopValues& values, MonitorBitmaps& bitmaps,
                      QRgb colour) {
    return composeScreen(monitor, values, bitmaps.forSize(monitor), colour);
}

QImage composeLayout(const QRect& bounds, const QList<Monitor>& monitors,
                     const DesktopValues& values, MonitorBitmaps& bitmaps, QRgb colour) {
    QImage canvas(bounds.size(), QImage::Format_RGB32);
    canvas.fill(colour);
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const Monitor* primary = primaryMonitor(monitors);
    const auto draw = [&](const Monitor& m) {
        painter.drawImage(m.geometry.topLeft() - bounds.topLeft(),
                          composeMonitor(m.geometry.size(), values, bitmaps, colour));
    };
    for (const Monitor& m : monitors)
        if (&m != primary && !m.geometry.isEmpty())
            draw(m);
    if (primary && !primary->geometry.isEmpty())
        draw(*primary);
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
