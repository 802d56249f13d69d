#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

QScreen* primary() {
    return QGuiApplication::primaryScreen();
}

int twipsFor(qreal dpi) {
    if (dpi <= 0)
        return 15;
    return qMax(1, static_cast<int>(std::lround(1440.0 / dpi)));
}

} // namespace

int QtScreen::widthPixels() const {
    QScreen* s = primary();
    return s ? static_cast<int>(std::lround(s->geometry().width() * s->devicePixelRatio())) : 1024;
}

int QtScreen::heightPixels() const {
    QScreen* s = primary();
    return s ? static_cast<int>(std::lround(s->geometry().height() * s->devicePixelRatio())) : 768;
}

int QtScreen::twipsPerPixelX() const {
    QScreen* s = primary();
    return s ? twipsFor(s->logicalDotsPerInchX()) : 15;
}

int QtScreen::twipsPerPixelY() const {
    QScreen* s = primary();
    return s ? twipsFor(s->logicalDotsPerInchY()) : 15;
}

int QtScreen::bitsPerPixel() const {
    QScreen* s = primary();
    return s ? s->depth() : 32;
}

QRect QtScreen::workArea() const {
    QScreen* s = primary();
    if (!s)
        return Screen::workArea();
    const QRect area = s->availableGeometry();
    const qreal ratio = s->devicePixelRatio();
    return QRect(static_cast<int>(std::lround(area.x() * ratio)),
                 static_cast<int>(std::lround(area.y() * ratio)),
                 static_cast<int>(std::lround(area.width() * ratio)),
                 static_cast<int>(std::lround(area.height() * ratio)));
}
