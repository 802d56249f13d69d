#pragma once

#include "platform/ComposedWallpaper.h"
#include "platform/Desktop.h"

#include <QStringList>
#include <optional>

class ProcessRunner;

// Desktops that read their background from GSettings, set through the
// `gsettings` command: GNOME and the desktops built on its settings
// (Budgie, Unity, Pantheon), Cinnamon and MATE, each with its own schema.
//
// GNOME's shell paints the colour only where there is no picture at all
// (a centred picture sits on black), stretches a tile over the whole
// monitor, and none of them places a picture within each monitor of
// several: each is handed the whole layout as this program composes it,
// every monitor's part for that monitor, shown spanned.
class GnomeDesktop final : public Desktop {
public:
    enum class Family { Gnome, Cinnamon, Mate };

    // Without `layout`, the application's screens.
    GnomeDesktop(Family family, ProcessRunner& runner, ComposedWallpaper::Layout layout = {});

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
    ComposedWallpaper composed_;
};
