#include "platform/GnomeDesktop.h"

#include "platform/ProcessRunner.h"

#include <QUrl>

namespace {

const QString kGsettings = QStringLiteral("gsettings");

QString pictureOptions(const DesktopValues& values) {
    if (values.wallpaperPath.isEmpty())
        return QStringLiteral("none");
    if (values.tile)
        return QStringLiteral("wallpaper");
    return values.style == 2 ? QStringLiteral("stretched") : QStringLiteral("centered");
}

} // namespace

GnomeDesktop::GnomeDesktop(Family family, ProcessRunner& runner)
    : family_(family), runner_(runner) {}

QString GnomeDesktop::name() const {
    switch (family_) {
    case Family::Cinnamon:
        return QStringLiteral("Cinnamon");
    case Family::Mate:
        return QStringLiteral("MATE");
    default:
        return QStringLiteral("GNOME");
    }
}

QString GnomeDesktop::schemaOf(Family family) {
    switch (family) {
    case Family::Cinnamon:
        return QStringLiteral("org.cinnamon.desktop.background");
    case Family::Mate:
        return QStringLiteral("org.mate.background");
    default:
        return QStringLiteral("org.gnome.desktop.background");
    }
}

QString GnomeDesktop::quoted(const QString& text) {
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + out + u'\'';
}

QString GnomeDesktop::ensureKeys() {
    if (keys_)
        return {};
    QByteArray listing;
    if (QString problem = runner_.runChecked(
            kGsettings, {QStringLiteral("list-keys"), schemaOf(family_)}, &listing);
        !problem.isEmpty())
        return problem;
    keys_ = QString::fromUtf8(listing).split(u'\n', Qt::SkipEmptyParts);
    return {};
}

QString GnomeDesktop::set(const QString& key, const QString& value) {
    return runner_.runChecked(kGsettings, {QStringLiteral("set"), schemaOf(family_), key, value});
}

QString GnomeDesktop::apply(const DesktopValues& values) {
    if (QString problem = ensureKeys(); !problem.isEmpty())
        return problem;

    // The bitmap is rewritten under one name, and these desktops keep the
    // picture they have when the key does not change: GSettings sends no
    // change for an equal value, and the shell caches decoded pictures by
    // file. Setting the key empty and back is not enough, since the cached
    // picture of that file is still alive and comes back. So the desktop is
    // given one of two copies beside the bitmap, in turn: a name it has not
    // shown last, whose content is new.
    const ReloadAlias::Result copy = alias_.handOver(values.wallpaperPath);
    if (!copy.error.isEmpty())
        return copy.error;
    const QString& picture = copy.path;

    QList<std::pair<QString, QString>> changes;
    changes.append({QStringLiteral("picture-options"), quoted(pictureOptions(values))});
    if (values.background)
        changes.append({QStringLiteral("primary-color"), quoted(hexColour(*values.background))});
    changes.append({QStringLiteral("color-shading-type"), quoted(QStringLiteral("solid"))});
    // The picture last: its change is what makes the desktop redraw.
    if (family_ == Family::Mate) {
        changes.append({QStringLiteral("picture-filename"), quoted(picture)});
    } else {
        const QString uri = picture.isEmpty()
                                ? QString()
                                : QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded);
        changes.append({QStringLiteral("picture-uri"), quoted(uri)});
        if (keys_->contains(QStringLiteral("picture-uri-dark")))
            changes.append({QStringLiteral("picture-uri-dark"), quoted(uri)});
    }

    for (const auto& [key, value] : changes) {
        if (QString problem = set(key, value); !problem.isEmpty()) {
            alias_.discard();
            return problem;
        }
    }
    alias_.taken();
    return {};
}
