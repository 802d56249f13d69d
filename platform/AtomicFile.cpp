#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

int replaceFileContent(const QString& path, const QByteArray& bytes, QString* reason) {
    auto fail = [reason](int err, const QString& why) {
        if (reason)
            *reason = why;
        return err ? err : EIO;
    };
    const QString folder = QFileInfo(path).absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int err = errno ? errno : EACCES;
        return fail(err, QStringLiteral("the folder %1 could not be made (%2)")
                             .arg(folder, qt_error_string(err)));
    }
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(errno ? errno : EACCES, file.errorString());
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int err = errno ? errno : ENOSPC;
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(err, why);
    }
    errno = 0;
    if (!file.commit())
        return fail(errno ? errno : EIO, file.errorString());
    return 0;
}
