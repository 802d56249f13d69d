#pragma once

#include "platform/ComposedWallpaper.h"
#include "platform/Desktop.h"
#include "platform/ReloadAlias.h"

#include <QStringList>
#include <optional>

class ProcessRunner;

// Desktops that read their background from GSettings, set through the
// `gsettings` command: GNOME and the desktops built on its settings
// (Budgie, Unity, Pantheon), Cinnamon and MATE, each with its own schema.
//
// GNOME's shell paints the colour only where there is no picture at all
// (a centred picture sits on black) and stretches a tile over the whole
// monitor, so it is handed the screen as this program composes it, shown
// stretched. Cinnamon and MATE place and colour the bitmap as asked.
class GnomeDesktop final : public Desktop {
public:
    enum class Family { Gnome, Cinnamon, Mate };

    // `screenSize` is for GNOME's composed picture; without it, the primary
    // screen's.
    GnomeDesktop(Family family, ProcessRunner& runner,
                 ComposedWallpaper::ScreenSize screenSize = {});

    QString name() const override;
    QString apply(const DesktopValues& values) override;

    // The schema the family keeps its background in.
    static QString schemaOf(Family family);
    // A string as GSettings' text form of a value: in single quotes.
    static QString quoted(const QString& text);

private:
    QString set(const QString& key, const QString& value);
    QString ensureKeys();

    Family family_;
    ProcessRunner& runner_;
    std::optional<QStringList> keys_; // the schema's keys, asked once
    ComposedWallpaper composed_;      // GNOME
    ReloadAlias alias_;               // Cinnamon and MATE
};
