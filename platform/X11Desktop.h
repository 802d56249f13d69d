#pragma once

#include "platform/Desktop.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// Any X11 session without a desktop of its own (a bare window manager,
// Xvfb): the screen picture becomes the root window's background pixmap,
// published in _XROOTPMAP_ID and ESETROOT_PMAP_ID for terminals and panels
// that show the wallpaper through, and kept after the program exits.
class X11Desktop final : public Desktop {
public:
    // An empty name means $DISPLAY.
    explicit X11Desktop(QString displayName = {});

    QString name() const override { return QStringLiteral("X11"); }
    QString apply(const DesktopValues& values) override;

    // The whole screen as it is to look: the colour, and the bitmap tiled
    // from the top-left, stretched, or centred (cut where it is larger).
    static QImage composeScreen(QSize screen, const DesktopValues& values, const QImage& bitmap,
                                QRgb colour);

private:
    QString displayName_;
    // Colour -1 keeps the desktop's colour: the one this run set last.
    std::optional<int32_t> lastColour_;
};
