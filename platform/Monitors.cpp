#include "platform/Monitors.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

QRect scaled(const QRect& r, qreal ratio) {
    return QRect(static_cast<int>(std::lround(r.x() * ratio)),
                 static_cast<int>(std::lround(r.y() * ratio)),
                 static_cast<int>(std::lround(r.width() * ratio)),
                 static_cast<int>(std::lround(r.height() * ratio)));
}

} // namespace

QList<Monitor> qtMonitors() {
    QList<Monitor> monitors;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        Monitor m;
        m.logical = screen->geometry();
        m.geometry = scaled(m.logical, screen->devicePixelRatio());
        m.names << screen->name();
        m.primary = screen == primary;
        if (m.primary)
            monitors.prepend(m);
        else
            monitors.append(m);
    }
    return monitors;
}

QList<Monitor> singleMonitor(QSize size) {
    Monitor m;
    m.geometry = m.logical = QRect(QPoint(0, 0), size);
    m.primary = true;
    return {m};
}

QRect layoutBounds(const QList<Monitor>& monitors) {
    QRect bounds;
    for (const Monitor& m : monitors)
        bounds = bounds.united(m.geometry);
    return bounds;
}

const Monitor* primaryMonitor(const QList<Monitor>& monitors) {
    for (const Monitor& m : monitors)
        if (m.primary)
            return &m;
    return monitors.isEmpty() ? nullptr : &monitors.first();
}
