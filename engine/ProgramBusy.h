#pragma once

#include "engine/BusyPointer.h"

#include <QElapsedTimer>

// Long work of the user's own asking (adding hundreds of dropped pictures,
// removing duplicates from a large list, copying pictures from a CD) runs
// on the user-interface thread. While it runs the program is busy: the
// hourglass shows, the windows keep painting, and the minute timer, the
// tray, another drop and the panel's commands see ProgramIsBusy() and
// change nothing, so that the list is never changed under the work's feet.
// The user's mouse and key input waits until the work is done.

// True while any long work runs.
bool ProgramIsBusy();

// Marks the program busy for its lifetime and shows the hourglass.
class BusyWork {
public:
    BusyWork();
    ~BusyWork();
    BusyWork(const BusyWork&) = delete;
    BusyWork& operator=(const BusyWork&) = delete;

    // Lets the windows repaint and timers and the tray run (they find the
    // program busy); user input is left queued. Cheap to call often: the
    // events are served at most every few hundredths of a second.
    void serveEvents();

private:
    BusyPointer pointer_;
    QElapsedTimer sinceServed_;
};
