#pragma once

#include "platform/ComposedWallpaper.h"
#include "platform/Desktop.h"

class ProcessRunner;

// LXQt and LXDE: their file managers draw the desktop (pcmanfm-qt and
// pcmanfm) and take a new wallpaper from their own command line, which
// hands it to the running desktop. Neither takes a colour that way, so the
// desktop is given the screen as this program composes it, stretched; with
// no wallpaper, a picture of the colour alone.
class PcmanfmDesktop final : public Desktop {
public:
    enum class Variant { LXQt, LXDE };

    // Without `screenSize`, the primary screen's.
    PcmanfmDesktop(Variant variant, ProcessRunner& runner,
                   ComposedWallpaper::ScreenSize screenSize = {});

    QString name() const override;
    QString apply(const DesktopValues& values) override;

    // The file manager of a variant.
    static QString programOf(Variant variant);

private:
    Variant variant_;
    ProcessRunner& runner_;
    ComposedWallpaper composed_;
};
