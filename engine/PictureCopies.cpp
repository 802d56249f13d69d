#include "engine/PictureCopies.h"

#include "engine/FileRoutines.h"
#include "engine/ProgramState.h"
#include "platform/AtomicFile.h"
#include "platform/DriveTypes.h"
#include "platform/RegularFile.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace {

// Copies what is left to read of `from` into `to`, a file made only once
// it is complete; a copy that cannot be finished leaves nothing behind. 0,
// else the errno of the failure (EEXIST: that name was taken meanwhile).
int copyContent(QFile& from, AtomicFileWriter& to) {
    if (!from.seek(0))
        return EIO;
    if (!to.open())
        return to.error();
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        errno = 0;
        const qint64 n = from.read(buffer.data(), buffer.size());
        if (n == 0)
            return to.commit() ? 0 : to.error();
        if (n < 0) {
            const int err = errno ? errno : EIO;
            to.cancel();
            return err;
        }
        if (!to.write(buffer.constData(), n))
            return to.error();
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
    // The copy may be read by whoever could read the picture, from its
    // first byte on.
    struct stat original = {};
    const int permissions =
        ::fstat(source.handle(), &original) == 0 ? int(original.st_mode & 0777) : -1;
    // The copy never replaces a picture already there: past the usual 50
    // numbered names the count goes on.
    for (int k = 0; k <= 9999; ++k) {
        const QString file = candidate(k);
        if (QFileInfo::exists(file))
            continue;
        AtomicFileWriter copy(file, AtomicFileWriter::Mode::CreateNew);
        if (permissions >= 0)
            copy.setPermissions(unsigned(permissions));
        if (const int err = copyContent(source, copy)) {
            if (err == EEXIST)
                continue; // made by someone else meanwhile
            raiseError(errorNumberFromErrno(err));
        }
        return file;
    }
    raiseError(vberr::FileExists);
}
