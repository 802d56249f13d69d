#pragma once

#include <QByteArrayList>

// Listens on the root window of the test's display for the startup
// notification messages that programs send when a start is over ("remove:
// ID=..."), as a desktop's launch feedback does. Xlib stays in the .cpp.
class StartupNotices {
public:
    StartupNotices();
    ~StartupNotices();
    StartupNotices(const StartupNotices&) = delete;
    StartupNotices& operator=(const StartupNotices&) = delete;

    bool connected() const { return display_ != nullptr; }
    // Every whole message that arrived so far, in order.
    QByteArrayList messages();

private:
    void* display_ = nullptr;
    QByteArray partial_;
    QByteArrayList done_;
};
