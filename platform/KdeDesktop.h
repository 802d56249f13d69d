#pragma once

#include "platform/ComposedWallpaper.h"
#include "platform/Desktop.h"
#include "platform/PlasmaScripting.h"

#include <QList>
#include <QRect>
#include <memory>
#include <utility>

// KDE Plasma 5 and 6: the shell's desktop script sets the wallpaper plugin
// and its settings on every desktop containment (one per screen and, where
// used, per activity). Plasma tiles from a centred grid, so a picture is
// handed over as the screen this program composes, stretched: each screen's
// desktop the picture composed for that screen.
class KdeDesktop final : public Desktop {
public:
    // Without `layout`, the application's screens.
    explicit KdeDesktop(std::unique_ptr<PlasmaScripting> scripting,
                        ComposedWallpaper::Layout layout = {});

    QString name() const override { return QStringLiteral("KDE Plasma"); }
    QString apply(const DesktopValues& values) override;

    // A screen, by its geometry as the shell counts it, and the picture its
    // desktop is to show.
    using ScreenPicture = std::pair<QRect, QString>;

    // What every desktop containment is given: the wallpaper plugin and the
    // entries of its "General" group, each value as a script literal. With
    // pictures for several screens, the image comes last from `images`: the
    // picture of the desktop's screen, the first one's on a screen not
    // listed.
    struct Settings {
        QString plugin;
        QList<std::pair<QString, QString>> general;
        QList<ScreenPicture> images;
    };
    // `pictures` are the composed screens, the primary's first; none for no
    // picture.
    static Settings settingsFor(const DesktopValues& values, const QList<ScreenPicture>& pictures);
    static QString scriptFor(const Settings& settings);

    // The image plugin's FillMode for a picture shown stretched.
    static constexpr int Stretch = 0;

private:
    std::unique_ptr<PlasmaScripting> scripting_;
    ComposedWallpaper composed_;
};
