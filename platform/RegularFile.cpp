#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool isRegularFile(const QString& path) {
    if (path.isEmpty())
        return false;
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool openRegularFile(QFile& file, const QString& path) {
    // A quick look first, so that a device is not even opened.
    if (!isRegularFile(path)) {
        errno = QFile::exists(path) ? EINVAL : ENOENT;
        return false;
    }
    // Not blocking on the open, and the type checked on what was opened:
    // the path may change between a look and the open.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const int err = errno;
        ::close(fd);
        errno = err ? err : EIO;
        return false;
    }
    return true;
}
