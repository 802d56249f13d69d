#pragma once

#include "platform/ComposedWallpaper.h"
#include "platform/Desktop.h"

class ProcessRunner;

// LXQt and LXDE: their file managers draw the desktop (pcmanfm-qt and
// pcmanfm) and take a new wallpaper from their own command line, which
// hands it to the running desktop. Neither takes a colour that way, so the
// desktop is given the screen as this program composes it; with no
// wallpaper, a picture of the colour alone. pcmanfm spans one picture over
// several monitors, so it gets the whole layout, each monitor's part
// composed for it; pcmanfm-qt's command line sets one picture for every
// monitor, stretched on each, so it gets the primary monitor's.
class PcmanfmDesktop final : public Desktop {
public:
    enum class Variant { LXQt, LXDE };

    // Without `layout`, the application's screens.
    PcmanfmDesktop(Variant variant, ProcessRunner& runner, ComposedWallpaper::Layout layout = {});

    QString name() const override;
    QString apply(const DesktopValues& values) override;

    // The file manager of a variant.
    static QString programOf(Variant variant);

private:
    Variant variant_;
    ProcessRunner& runner_;
    ComposedWallpaper composed_;
};
