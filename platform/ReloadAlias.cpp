#include "platform/ReloadAlias.h"

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

QString copyFile(const QString& from, const QString& to) {
    QFile in;
    if (!openRegularFile(in, from))
        return QStringLiteral("Could not read the wallpaper bitmap %1: %2")
            .arg(from, qt_error_string(errno));
    AtomicFileWriter out(to);
    if (!out.open())
        return QStringLiteral("Could not write %1: %2").arg(to, out.errorString());
    // In pieces: a bitmap of a large screen is tens of megabytes.
    constexpr qint64 chunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray bytes = in.read(chunk);
        if (bytes.isEmpty() && in.error() != QFileDevice::NoError)
            return QStringLiteral("Could not read the wallpaper bitmap %1: %2")
                .arg(from, in.errorString());
        if (!out.write(bytes))
            return QStringLiteral("Could not write %1: %2").arg(to, out.errorString());
    }
    if (!out.commit())
        return QStringLiteral("Could not write %1: %2").arg(to, out.errorString());
    return {};
}

} // namespace

QStringList ReloadAlias::aliasPaths(const QString& picturePath) {
    const QFileInfo picture(picturePath);
    const QString suffix =
        picture.suffix().isEmpty() ? QString() : QStringLiteral(".") + picture.suffix();
    const QString stem = picture.absolutePath() + QStringLiteral("/.") + picture.completeBaseName();
    return {stem + QStringLiteral("-A") + suffix, stem + QStringLiteral("-B") + suffix};
}

int ReloadAlias::slotFor(const QStringList& aliases) const {
    if (shown_ == aliases[0])
        return 1;
    if (shown_ == aliases[1])
        return 0;
    // Nothing taken in this run: the newer copy on disk is the one the
    // desktop was last given, by this run or an earlier one.
    const QFileInfo a(aliases[0]), b(aliases[1]);
    if (!a.exists() || !b.exists())
        return a.exists() ? 1 : 0;
    return a.lastModified() > b.lastModified() ? 1 : 0;
}

ReloadAlias::Result ReloadAlias::prepare(const QString& picturePath) {
    if (picturePath.isEmpty())
        return {{}, QStringLiteral("There is no wallpaper bitmap to show.")};
    const QString picture = QFileInfo(picturePath).absoluteFilePath();
    if (!QFileInfo(picture).isFile())
        return {{}, QStringLiteral("The wallpaper bitmap %1 does not exist.").arg(picture)};
    usePicture(picture);
    const QStringList aliases = aliasPaths(picture);
    const QString target = aliases[slotFor(aliases)];
    prepared_.clear();
    if (QString error = copyFile(picture, target); !error.isEmpty())
        return {{}, error};
    prepared_ = target;
    return {target, {}};
}

void ReloadAlias::commit() {
    if (prepared_.isEmpty())
        return;
    shown_ = prepared_;
    prepared_.clear();
}

void ReloadAlias::discard() {
    if (!prepared_.isEmpty() && prepared_ != shown_)
        QFile::remove(prepared_);
    prepared_.clear();
}

void ReloadAlias::removeAll() {
    if (!picture_.isEmpty()) {
        for (const QString& alias : aliasPaths(picture_))
            QFile::remove(alias);
    }
    shown_.clear();
    prepared_.clear();
}

void ReloadAlias::usePicture(const QString& absolutePath) {
    if (absolutePath != picture_) {
        picture_ = absolutePath;
        shown_.clear();
    }
}

ReloadAlias::Result ReloadAlias::handOver(const DesktopValues& values) {
    if (!values.wallpaperPath.isEmpty())
        return prepare(values.wallpaperPath);
    prepared_.clear();
    if (!values.bitmapPath.isEmpty())
        usePicture(QFileInfo(values.bitmapPath).absoluteFilePath());
    return {};
}

void ReloadAlias::taken() {
    if (prepared_.isEmpty())
        removeAll();
    else
        commit();
}
