#include "engine/PictureCopies.h"

#include "engine/FileRoutines.h"
#include "engine/ProgramState.h"
#include "platform/DriveTypes.h"
#include "platform/RegularFile.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

// Copies what is left to read of `from` to the freshly made `to`; a copy
// that cannot be finished is removed and its error raised.
void copyContent(QFile& from, QFile& to) {
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        errno = 0;
        const qint64 n = from.read(buffer.data(), buffer.size());
        if (n == 0)
            return;
        if (n < 0 || to.write(buffer.constData(), n) != n || !to.flush()) {
            const int err = errno;
            to.remove();
            raiseError(err ? errorNumberFromErrno(err) : vberr::DeviceIO);
        }
    }
}

} // namespace

QString GetImageFolderName(const QString& path, const QString& requestedName) {
    // The typed name becomes a file name inside the copy folder, nothing else.
    const QString newName = safeCopyName(requestedName);
    const QString privateFolder = withSlash(Options.PrivateMagicListPath);
    QString target;
    switch (GetDriveTypeOfPath(path)) {
    case drive::Fixed: {
        const QString cache = GetSpecialFolderPath(0, 32);
        // An unknown cache folder matches nothing.
        if (!cache.isEmpty() && path.startsWith(cache, Qt::CaseInsensitive))
            target = privateFolder + QStringLiteral("Internet Images");
        break;
    }
    case drive::Network:
        break;
    case drive::CdRom:
        target = privateFolder + QStringLiteral("CD Images");
        break;
    default:
        target = privateFolder + QStringLiteral("Other Images");
        break;
    }
    if (target.isEmpty())
        return path;

    QFile source;
    if (!openRegularFile(source, path))
        raiseError(QFileInfo::exists(path) ? vberr::PathFileAccess : vberr::FileNotFound);
    QString folder, name, extension;
    MakeUniqueLabel(path, folder, name, extension, true);
    if (!newName.isEmpty())
        name = newName;
    if (!QFileInfo(target).isDir() && !QDir().mkpath(target))
        raiseError(vberr::PathFileAccess);

    auto candidate = [&](int k) {
        QString file = target + u'/' + name;
        if (k > 0)
            file += u'[' + QString::number(k) + u']';
        if (!extension.isEmpty())
            file += u'.' + extension;
        return file;
    };
    // The copy never replaces a picture already there: past the usual 50
    // numbered names the count goes on.
    for (int k = 0; k <= 9999; ++k) {
        const QString file = candidate(k);
        if (QFileInfo::exists(file))
            continue;
        QFile copy(file);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(file))
                continue; // made by someone else meanwhile
            raiseError(vberr::PathFileAccess);
        }
        copyContent(source, copy);
        copy.setPermissions(QFileInfo(path).permissions());
        return file;
    }
    raiseError(vberr::FileExists);
}
