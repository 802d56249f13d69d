#pragma once

#include <QString>

// The program's top-level windows on the test's X display, found by their
// captions. There is no window manager on the display: the program's
// windows are the root window's children.
class TopWindows {
public:
    TopWindows();
    ~TopWindows();
    TopWindows(const TopWindows&) = delete;
    TopWindows& operator=(const TopWindows&) = delete;

    bool connected() const { return display_ != nullptr; }
    // Whether a window with that caption is on the screen.
    bool shown(const QString& caption) const;
    // Asks the window with that caption to close, as its close box does;
    // false when there is none on the screen.
    bool close(const QString& caption) const;

private:
    // The window on the screen with that caption, or 0.
    unsigned long find(const QString& caption) const;
    unsigned long findWithHandler(const QString& caption) const;
    void* display_ = nullptr;
};
