#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary file younger than this may be another copy's write in progress
// (the machine's settings are shared by every user).
constexpr qint64 kLeftOverAgeSeconds = 60;

// Small writes (a bitmap row, a settings line) are gathered up to this.
constexpr qsizetype kBufferSize = 256 * 1024;

int folderSyncs = 0;      // program state: a count for tests
WriteFaultHook faultHook; // program state: the tests' seam

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

QString temporaryNameFor(const QString& path) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString name = path + u'.';
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(letters[QRandomGenerator::system()->bounded(int(sizeof letters) - 1)]);
    return name;
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

int injectedFault(const QString& path, WriteStep step) {
    return faultHook ? faultHook(path, step) : 0;
}

// The file a write of `path` changes: a settings file kept elsewhere
// through a symbolic link stays a link.
QString resolvedTarget(const QString& path) {
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 32; ++hops)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

} // namespace

AtomicFileWriter::AtomicFileWriter(QString path, Mode mode)
    : path_(mode == Mode::Replace ? resolvedTarget(path) : QFileInfo(path).absoluteFilePath()),
      mode_(mode) {}

AtomicFileWriter::~AtomicFileWriter() {
    cancel();
}

bool AtomicFileWriter::fail(int err) {
    if (error_ == 0)
        error_ = err ? err : EIO;
    cancel();
    return false;
}

bool AtomicFileWriter::open() {
    if (fd_ >= 0 || error_ != 0)
        return error_ == 0;
    const QByteArray target = QFile::encodeName(path_);
    struct stat old = {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && mode_ == Mode::CreateNew)
        return fail(EEXIST);
    // A file the user made read-only stays as it is.
    if (exists && ::access(target.constData(), W_OK) != 0 && errno == EACCES)
        return fail(EACCES);
    if (const int err = injectedFault(path_, WriteStep::Open))
        return fail(err);
    if (mode_ == Mode::Replace)
        removeLeftOvers(QFileInfo(path_));
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        const QString candidate = temporaryNameFor(path_);
        fd_ = ::open(QFile::encodeName(candidate).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd_ >= 0)
            temporary_ = candidate;
        else if (errno != EEXIST)
            return fail(errno);
    }
    if (fd_ < 0)
        return fail(EEXIST);
    if (permissions_ >= 0)
        ::fchmod(fd_, mode_t(permissions_));
    else if (exists && mode_ == Mode::Replace)
        ::fchmod(fd_, old.st_mode & 07777);
    buffer_.reserve(kBufferSize);
    return true;
}

bool AtomicFileWriter::flushBuffer() {
    const char* data = buffer_.constData();
    qsizetype left = buffer_.size();
    while (left > 0) {
        if (const int err = injectedFault(path_, WriteStep::Write))
            return fail(err);
        const ssize_t n = ::write(fd_, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(errno);
        if (n == 0)
            return fail(ENOSPC);
        data += n;
        left -= n;
    }
    buffer_.clear();
    return true;
}

bool AtomicFileWriter::write(const char* data, qint64 size) {
    if (fd_ < 0)
        return error_ == 0 ? fail(EBADF) : false;
    while (size > 0) {
        const qint64 room = kBufferSize - buffer_.size();
        const qint64 part = qMin(room, size);
        buffer_.append(data, qsizetype(part));
        data += part;
        size -= part;
        if (buffer_.size() >= kBufferSize && !flushBuffer())
            return false;
    }
    return true;
}

bool AtomicFileWriter::commit() {
    if (fd_ < 0)
        return error_ == 0 ? fail(EBADF) : false;
    if (!flushBuffer())
        return false;
    if (int err = injectedFault(path_, WriteStep::Sync); err || ::fsync(fd_) != 0)
        return fail(err ? err : errno);
    const int fd = fd_;
    fd_ = -1;
    // The descriptor is gone after close whatever it answers; an error
    // still means the data may not be on the disk.
    int err = injectedFault(path_, WriteStep::Close);
    if (::close(fd) != 0 && errno != EINTR && err == 0)
        err = errno;
    if (err)
        return fail(err);

    const QByteArray from = QFile::encodeName(temporary_);
    const QByteArray to = QFile::encodeName(path_);
    err = injectedFault(path_, WriteStep::Rename);
    if (err == 0) {
        if (mode_ == Mode::Replace) {
            if (::rename(from.constData(), to.constData()) != 0)
                err = errno;
        } else {
            // A link is made only where no file is: what someone else put
            // there meanwhile is never replaced.
            if (::link(from.constData(), to.constData()) != 0)
                err = errno;
            else
                ::unlink(from.constData());
        }
    }
    if (err)
        return fail(err);
    temporary_.clear();
    syncFolder(QFileInfo(path_).absolutePath());
    return true;
}

void AtomicFileWriter::cancel() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        ::unlink(QFile::encodeName(temporary_).constData());
        temporary_.clear();
    }
    buffer_.clear();
}

int replaceFileContent(const QString& path, const QByteArray& bytes, QString* reason) {
    const QFileInfo info(resolvedTarget(path));
    const QString folder = info.absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int err = errno ? errno : EACCES;
        if (reason)
            *reason = QStringLiteral("the folder %1 could not be made (%2)")
                          .arg(folder, qt_error_string(err));
        return err;
    }
    AtomicFileWriter file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return 0;
    if (reason)
        *reason = file.errorString();
    return file.error();
}

int folderSyncCount() {
    return folderSyncs;
}

void setWriteFaultHook(WriteFaultHook hook) {
    faultHook = std::move(hook);
}
