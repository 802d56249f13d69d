#include "platform/DriveTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// mountinfo escapes blanks and a few other characters as \ooo.
QString unescapeMountField(const QString& field) {
    QString out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == u'\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += QChar(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool isUnder(const QString& path, const QString& folder) {
    if (folder == u"/")
        return path.startsWith(u'/');
    return path == folder || path.startsWith(folder + u'/');
}

bool deviceIsRemovable(const QString& sysBlock, const QString& source) {
    if (!source.startsWith(u"/dev/"))
        return false;
    QString dev = QFileInfo(source).canonicalFilePath();
    if (dev.isEmpty())
        dev = source;
    const QString name = QFileInfo(dev).fileName();
    // A partition's own folder has no "removable"; its parent disk has.
    QFileInfo entry(sysBlock + u'/' + name);
    QString folder = entry.canonicalFilePath();
    for (int depth = 0; depth < 2 && !folder.isEmpty(); ++depth) {
        QFile f(folder + QStringLiteral("/removable"));
        if (f.open(QIODevice::ReadOnly))
            return f.readAll().trimmed() == "1";
        folder = QFileInfo(folder).path();
    }
    return false;
}

} // namespace

int16_t classifyMount(const QString& fsType, const QString& mountPoint, bool removableDevice) {
    const QString t = fsType.toLower();
    if (t == u"iso9660" || t == u"udf")
        return drive::CdRom;
    static const QStringList network = {u"nfs"_qs,      u"nfs4"_qs,       u"cifs"_qs,  u"smb3"_qs,
                                        u"smbfs"_qs,    u"fuse.sshfs"_qs, u"sshfs"_qs, u"9p"_qs,
                                        u"davfs"_qs,    u"fuse.davfs"_qs, u"afs"_qs,   u"ceph"_qs,
                                        u"glusterfs"_qs};
    if (network.contains(t))
        return drive::Network;
    if (t == u"tmpfs" || t == u"ramfs")
        return drive::RamDisk;
    if (removableDevice || isUnder(mountPoint, u"/media"_qs) ||
        isUnder(mountPoint, u"/run/media"_qs))
        return drive::Removable;
    return drive::Fixed;
}

MountDriveClassifier::MountDriveClassifier(QString mountInfoPath, QString sysBlockPath)
    : mountInfoPath_(std::move(mountInfoPath)), sysBlockPath_(std::move(sysBlockPath)) {}

int16_t MountDriveClassifier::driveTypeOf(const QString& path) const {
    if (path.isEmpty() || !path.startsWith(u'/'))
        return drive::Unknown;
    // Resolve what exists of the path, so a link into another mount counts there.
    // The part that does not exist yet is kept as written.
    QString probe = QDir::cleanPath(path);
    QString tail;
    QFileInfo info(probe);
    while (!info.exists() && probe != u"/") {
        tail = u'/' + info.fileName() + tail;
        probe = info.path();
        info = QFileInfo(probe);
    }
    QString real = info.canonicalFilePath().isEmpty() ? probe : info.canonicalFilePath();
    real = QDir::cleanPath(real + tail);

    QFile f(mountInfoPath_);
    if (!f.open(QIODevice::ReadOnly))
        return drive::Unknown;
    QString bestMount;
    QString bestType;
    QString bestSource;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray& raw : lines) {
        // id parent major:minor root mountpoint options [optional...] - fstype source superopts
        const QStringList fields = QString::fromUtf8(raw).split(u' ', Qt::SkipEmptyParts);
        const qsizetype dash = fields.indexOf(u"-"_qs);
        if (fields.size() < 5 || dash < 0 || dash + 2 >= fields.size())
            continue;
        const QString mountPoint = unescapeMountField(fields[4]);
        if (!isUnder(real, mountPoint))
            continue;
        // Later lines shadow earlier ones for the same mount point.
        if (mountPoint.size() >= bestMount.size()) {
            bestMount = mountPoint;
            bestType = fields[dash + 1];
            bestSource = unescapeMountField(fields[dash + 2]);
        }
    }
    if (bestMount.isEmpty())
        return drive::Unknown;
    return classifyMount(bestType, bestMount, deviceIsRemovable(sysBlockPath_, bestSource));
}

int16_t FixedDriveClassifier::driveTypeOf(const QString& path) const {
    qsizetype best = -1;
    int16_t type = fallback;
    for (auto it = prefixes.cbegin(); it != prefixes.cend(); ++it) {
        if (isUnder(path, it.key()) && it.key().size() > best) {
            best = it.key().size();
            type = it.value();
        }
    }
    return type;
}
