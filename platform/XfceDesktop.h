#pragma once

#include "platform/Desktop.h"
#include "platform/ReloadAlias.h"

#include <QStringList>
#include <functional>

class ProcessRunner;

// Xfce: the desktop (xfdesktop) keeps a background per monitor and
// workspace in the xfce4-desktop channel of its settings store, set here
// through `xfconf-query`.
class XfceDesktop final : public Desktop {
public:
    // The connected monitors by their output names ("HDMI-1"), as the
    // desktop names its settings after them.
    using MonitorNames = std::function<QStringList()>;

    // Without `monitors`, the application's screens are asked.
    explicit XfceDesktop(ProcessRunner& runner, MonitorNames monitors = {});

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
    MonitorNames monitors_;
    ReloadAlias alias_;
};
