#include "platform/GnomeDesktop.h"

#include "platform/ProcessRunner.h"

#include <QUrl>
#include <utility>

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

GnomeDesktop::GnomeDesktop(Family family, ProcessRunner& runner,
                           ComposedWallpaper::ScreenSize screenSize)
    : family_(family), runner_(runner), composed_(std::move(screenSize)) {}

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
    // change for an equal value. Setting the key empty and back is not
    // enough either, since the shell keeps decoded pictures by file name
    // until its garbage collector runs. So GNOME gets its composed picture
    // under a name it has never had; Cinnamon and MATE, which let go of the
    // picture they no longer show, get one of two copies in turn.
    const bool composed = family_ == Family::Gnome;
    QString picture;
    if (composed) {
        const ComposedWallpaper::Result r = composed_.handOver(values);
        if (!r.error.isEmpty())
            return r.error;
        picture = r.path;
    } else {
        const ReloadAlias::Result r = alias_.handOver(values);
        if (!r.error.isEmpty())
            return r.error;
        picture = r.path;
    }

    QList<std::pair<QString, QString>> changes;
    changes.append({QStringLiteral("picture-options"),
                    quoted(composed && !picture.isEmpty() ? QStringLiteral("stretched")
                                                          : pictureOptions(values))});
    // Still written with a picture: it is what shows while there is none.
    if (values.background)
        changes.append({QStringLiteral("primary-color"), quoted(hexColour(*values.background))});
    changes.append({QStringLiteral("color-shading-type"), quoted(QStringLiteral("solid"))});
    // The picture last: its change is what makes the desktop redraw.
    const qsizetype firstPicture = changes.size();
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

    for (qsizetype i = 0; i < changes.size(); ++i) {
        if (QString problem = set(changes[i].first, changes[i].second); !problem.isEmpty()) {
            // Once a picture key took the new picture, the desktop may show it.
            if (i <= firstPicture)
                composed ? composed_.discard() : alias_.discard();
            else if (composed)
                composed_.keep();
            else
                alias_.commit();
            return problem;
        }
    }
    if (composed)
        composed_.taken();
    else
        alias_.taken();
    return {};
}
