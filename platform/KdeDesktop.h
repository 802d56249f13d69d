#pragma once

#include "platform/Desktop.h"
#include "platform/PlasmaScripting.h"
#include "platform/ReloadAlias.h"

#include <QList>
#include <memory>
#include <utility>

// KDE Plasma 5 and 6: the shell's desktop script sets the wallpaper plugin
// and its settings on every desktop containment (one per screen and, where
// used, per activity).
class KdeDesktop final : public Desktop {
public:
    explicit KdeDesktop(std::unique_ptr<PlasmaScripting> scripting);

    QString name() const override { return QStringLiteral("KDE Plasma"); }
    QString apply(const DesktopValues& values) override;

    // What every desktop containment is given: the wallpaper plugin and the
    // entries of its "General" group, each value as a script literal.
    struct Settings {
        QString plugin;
        QList<std::pair<QString, QString>> general;
    };
    // `picture` is the file the desktop is to show; empty for no picture.
    static Settings settingsFor(const DesktopValues& values, const QString& picture);
    static QString scriptFor(const Settings& settings);

    // The image plugin's FillMode values this program uses.
    enum FillMode { Stretch = 0, Tile = 3, Centred = 6 };

private:
    std::unique_ptr<PlasmaScripting> scripting_;
    ReloadAlias alias_;
};
