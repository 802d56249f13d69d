#include "platform/FileNames.h"

#include <QFile>
#include <QStringList>
#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr QChar kReplacement(0xFFFD);

bool exists(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

// The entry of `folder` whose name reads as `name`; empty when none does.
QByteArray entryReadAs(const QByteArray& folder, const QString& name) {
    DIR* dir = ::opendir(folder.isEmpty() ? "/" : folder.constData());
    if (!dir)
        return {};
    QByteArray found;
    while (const dirent* entry = ::readdir(dir)) {
        if (QFile::decodeName(entry->d_name) == name) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

QByteArray pathOnDisk(const QString& path) {
    if (!path.startsWith(u'/'))
        return {};
    const QByteArray direct = QFile::encodeName(path);
    if (exists(direct))
        return direct;
    QByteArray onDisk;
    for (const QString& part : path.mid(1).split(u'/', Qt::SkipEmptyParts)) {
        QByteArray next = onDisk + '/' + QFile::encodeName(part);
        if (!exists(next)) {
            if (!part.contains(kReplacement))
                return {};
            const QByteArray name = entryReadAs(onDisk, part);
            if (name.isEmpty())
                return {};
            next = onDisk + '/' + name;
        }
        onDisk = next;
    }
    return onDisk;
}

bool hasNonUtf8Name(const QString& path) {
    if (!path.contains(kReplacement))
        return false;
    const QByteArray bytes = pathOnDisk(path);
    return !bytes.isEmpty() && !bytes.isValidUtf8();
}

QString readablePath(const QString& path) {
    const QByteArray bytes = pathOnDisk(path);
    if (bytes.isEmpty() || bytes.isValidUtf8())
        return path;
    // Byte by byte: the runs that are UTF-8 as they are, the rest escaped.
    QString shown;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            shown += QChar(lead);
            ++i;
            continue;
        }
        const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const QByteArray piece = bytes.mid(i, length);
        if (piece.size() == length && piece.isValidUtf8()) {
            shown += QString::fromUtf8(piece);
            i += length;
        } else {
            shown += QStringLiteral("\\x") + QString::number(lead, 16).toUpper();
            ++i;
        }
    }
    return shown;
}
