#pragma once

#include <QCursor>
#include <QGuiApplication>

// The hourglass for the length of a command; the previous pointer after.
// Without a GUI application (command-line tools) it does nothing.
class BusyPointer {
public:
    BusyPointer() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (shown_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyPointer() {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool shown_;
};
