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

QSize primaryScreenSize() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    const QScreen* s = primary();
    if (!s)
        return {};
    const qreal ratio = s->devicePixelRatio();
    return QSize(static_cast<int>(std::lround(s->geometry().width() * ratio)),
                 static_cast<int>(std::lround(s->geometry().height() * ratio)));
}

int QtScreen::widthPixels() const {
    const QSize size = primaryScreenSize();
    return size.isEmpty() ? 1024 : size.width();
}

int QtScreen::heightPixels() const {
    const QSize size = primaryScreenSize();
    return size.isEmpty() ? 768 : size.height();
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

bool QtScreen::placesOwnWindows() const {
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}
