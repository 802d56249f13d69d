#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A temporary file younger than this may be another copy's write in progress
// (the machine's settings are shared by every user).
constexpr qint64 kLeftOverAgeSeconds = 60;

int folderSyncs = 0; // program state: a count for tests

// Whether the name is one the temporary file of a replacement of `fileName`
// gets: the name, a dot and six letters or digits.
bool isTemporaryNameOf(const QString& name, const QString& fileName) {
    if (name.size() != fileName.size() + 7 || !name.startsWith(fileName) ||
        name[fileName.size()] != u'.')
        return false;
    for (qsizetype i = fileName.size() + 1; i < name.size(); ++i) {
        const QChar c = name[i];
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

void removeLeftOvers(const QFileInfo& file) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-kLeftOverAgeSeconds);
    const QDir folder = file.absoluteDir();
    const QString name = file.fileName();
    const QStringList candidates = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& candidate : candidates) {
        const QFileInfo info(folder.filePath(candidate));
        if (isTemporaryNameOf(candidate, name) && !info.isSymLink() && info.lastModified() < before)
            QFile::remove(info.filePath());
    }
}

void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
    ++folderSyncs;
}

} // namespace

int replaceFileContent(const QString& path, const QByteArray& bytes, QString* reason) {
    auto fail = [reason](int err, const QString& why) {
        if (reason)
            *reason = why;
        return err ? err : EIO;
    };
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int err = errno ? errno : EACCES;
        return fail(err, QStringLiteral("the folder %1 could not be made (%2)")
                             .arg(folder, qt_error_string(err)));
    }
    removeLeftOvers(info);
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
    syncFolder(folder);
    return 0;
}

int folderSyncCount() {
    return folderSyncs;
}
