#include "platform/GnomeDesktop.h"

#include "platform/ProcessRunner.h"

#include <QUrl>
#include <utility>

namespace {

const QString kGsettings = QStringLiteral("gsettings");

} // namespace

GnomeDesktop::GnomeDesktop(Family family, ProcessRunner& runner, ComposedWallpaper::Layout layout)
    : family_(family), runner_(runner), composed_(std::move(layout)) {}

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
    // until its garbage collector runs. And none of them places a picture
    // within each monitor on its own: a centred picture would be centred on
    // the whole layout, a best fit made for one monitor shown on another.
    // So they get one picture of the whole layout, each monitor's part
    // composed for that monitor, under a name they have never had, shown
    // spanned over all monitors.
    const ComposedWallpaper::Result composed = composed_.handOver(values);
    if (!composed.error.isEmpty())
        return composed.error;
    const QString& picture = composed.path;

    QList<std::pair<QString, QString>> changes;
    changes.append(
        {QStringLiteral("picture-options"),
         quoted(picture.isEmpty() ? QStringLiteral("none") : QStringLiteral("spanned"))});
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
                composed_.discard();
            else
                composed_.keep();
            return problem;
        }
    }
    composed_.taken();
    return {};
}
