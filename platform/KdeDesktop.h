#pragma once

#include "platform/ComposedWallpaper.h"
#include "platform/Desktop.h"
#include "platform/PlasmaScripting.h"

#include <QList>
#include <memory>
#include <utility>

// KDE Plasma 5 and 6: the shell's desktop script sets the wallpaper plugin
// and its settings on every desktop containment (one per screen and, where
// used, per activity). Plasma tiles from a centred grid, so a picture is
// handed over as the screen this program composes, stretched.
class KdeDesktop final : public Desktop {
public:
    // Without `screenSize`, the primary screen's.
    explicit KdeDesktop(std::unique_ptr<PlasmaScripting> scripting,
                        ComposedWallpaper::ScreenSize screenSize = {});

    QString name() const override { return QStringLiteral("KDE Plasma"); }
    QString apply(const DesktopValues& values) override;

    // What every desktop containment is given: the wallpaper plugin and the
    // entries of its "General" group, each value as a script literal.
    struct Settings {
        QString plugin;
        QList<std::pair<QString, QString>> general;
    };
    // `picture` is the composed screen the desktop is to show; empty for
    // no picture.
    static Settings settingsFor(const DesktopValues& values, const QString& picture);
    static QString scriptFor(const Settings& settings);

    // The image plugin's FillMode for a picture shown stretched.
    static constexpr int Stretch = 0;

private:
    std::unique_ptr<PlasmaScripting> scripting_;
    ComposedWallpaper composed_;
};
