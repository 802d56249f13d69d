#pragma once

#include "platform/Desktop.h"
#include "platform/ReloadAlias.h"

#include <QStringList>
#include <optional>

class ProcessRunner;

// Desktops that read their background from GSettings, set through the
// `gsettings` command: GNOME and the desktops built on its settings
// (Budgie, Unity), Cinnamon and MATE, each with its own schema.
class GnomeDesktop final : public Desktop {
public:
    enum class Family { Gnome, Cinnamon, Mate };

    GnomeDesktop(Family family, ProcessRunner& runner);

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
    ReloadAlias alias_;
};
