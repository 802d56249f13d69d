#pragma once

#include "platform/ComposedWallpaper.h"
#include "platform/Desktop.h"

#include <QStringList>
#include <functional>

class ProcessRunner;

// Xfce: the desktop (xfdesktop) keeps a background per monitor and
// workspace in the xfce4-desktop channel of its settings store, set here
// through `xfconf-query`. Each monitor is handed the picture composed for
// it, shown stretched.
class XfceDesktop final : public Desktop {
public:
    // Without `layout`, the application's screens. The desktop names its
    // settings after a monitor's output ("HDMI-1"), or after the monitor
    // itself: a monitor's settings are written under each of its names.
    explicit XfceDesktop(ProcessRunner& runner, ComposedWallpaper::Layout layout = {});

    QString name() const override { return QStringLiteral("Xfce"); }
    QString apply(const DesktopValues& values) override;

    // The desktop's image-style values this program uses.
    enum ImageStyle { None = 0, Centred = 1, Tiled = 2, Stretched = 3 };

    // The settings folders of one monitor and workspace each
    // ("/backdrop/screen0/monitorHDMI-1/workspace0") that are to get the
    // values: every one the channel has (its property list is given), and
    // one for every workspace of every monitor known, from the channel or
    // connected. A workspace count of 0 means unknown: then the highest
    // workspace the channel has.
    static QStringList workspaceFolders(const QStringList& properties, const QStringList& monitors,
                                        int workspaceCount);

private:
    QString query(const QStringList& arguments, QByteArray* output = nullptr);

    ProcessRunner& runner_;
    ComposedWallpaper composed_;
};
