#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>

// One monitor of the session's layout.
struct Monitor {
    QRect geometry;    // in device pixels, on the whole layout
    QRect logical;     // as the toolkit and the desktop shells count it
    QStringList names; // what it is known by: its own name first, then its outputs'
    bool primary = false;
};

// The application's screens in device pixels, the primary first; none
// without an application that has screens.
QList<Monitor> qtMonitors();
// A layout of one monitor of that size.
QList<Monitor> singleMonitor(QSize size);
// The rectangle every monitor lies in.
QRect layoutBounds(const QList<Monitor>& monitors);
// The primary monitor, else the first; none when there is none.
const Monitor* primaryMonitor(const QList<Monitor>& monitors);
