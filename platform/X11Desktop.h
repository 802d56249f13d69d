#pragma once

#include "platform/Desktop.h"
#include "platform/Monitors.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

// A window that draws a desktop of its own (of type
// _NET_WM_WINDOW_TYPE_DESKTOP) over the root window.
struct DesktopWindow {
    QString instance;  // WM_CLASS: the program's instance name ("xfdesktop")
    QString className; // and its class name ("Xfdesktop")
    QRect geometry;    // where it is on the root window
};

// Any X11 session without a desktop of its own (a bare window manager,
// Xvfb): the screen picture becomes the root window's background pixmap,
// published in _XROOTPMAP_ID and ESETROOT_PMAP_ID for terminals and panels
// that show the wallpaper through, and kept after the program exits. The
// picture is composed monitor by monitor (RandR monitors, else Xinerama's),
// and composed again when the application's screens change. When desktop
// windows cover the whole root window, nobody would see it: that is refused
// instead.
class X11Desktop final : public Desktop {
public:
    // An empty name means $DISPLAY.
    explicit X11Desktop(QString displayName = {});
    ~X11Desktop() override;

    QString name() const override { return QStringLiteral("X11"); }
    QString apply(const DesktopValues& values) override;
    // Paints the last values again for the monitors there are now; an
    // empty string also when nothing was painted yet.
    QString repaint();

    // The desktop windows shown on the display; none when it can't be opened.
    static QList<DesktopWindow> desktopWindows(const QString& displayName = {});
    // Whether the windows together cover the whole screen.
    static bool coverScreen(const QList<DesktopWindow>& windows, QSize screen);
    // The monitors of the display, by RandR (with their outputs' names) or
    // else Xinerama; none when it can't be opened or tells of none.
    static QList<Monitor> monitors(const QString& displayName = {});

private:
    QString displayName_;
    // Colour -1 keeps the desktop's colour: the one this run set last.
    std::optional<int32_t> lastColour_;
    std::optional<DesktopValues> shown_; // what was painted last
    std::unique_ptr<QObject> screenWatch_;
};

// Why a desktop drawn by another program can't be given the wallpaper.
QString coveredRootMessage(const QString& who);
