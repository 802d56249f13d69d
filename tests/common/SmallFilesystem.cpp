#include "tests/common/SmallFilesystem.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const char kFiller[] = ".filler";

} // namespace

SmallFilesystem::SmallFilesystem(int kilobytes) : at_(dir_.path()) {
    if (!dir_.isValid()) {
        why_ = QStringLiteral("no temporary folder");
        return;
    }
    mount(kilobytes);
}

SmallFilesystem::SmallFilesystem(const QString& folder, int kilobytes)
    : at_(QDir::cleanPath(folder)) {
    QDir().mkpath(at_);
    mount(kilobytes);
}

void SmallFilesystem::mount(int kilobytes) {
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(at_).constData(), "tmpfs", 0, options.constData()) !=
        0) {
        why_ = QStringLiteral("cannot mount a tmpfs (%1); this test needs root")
                   .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
}

SmallFilesystem::~SmallFilesystem() {
    if (mounted_)
        ::umount2(QFile::encodeName(at_).constData(), MNT_DETACH);
}

bool SmallFilesystem::fill() {
    const int fd = ::open(QFile::encodeName(file(QString::fromLatin1(kFiller))).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    // The last partial block.
    while (::write(fd, block.constData(), 1) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

void SmallFilesystem::unfill() {
    QFile::remove(file(QString::fromLatin1(kFiller)));
}

bool SmallFilesystem::setReadOnly(bool readOnly) {
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    return ::mount("tmpfs", QFile::encodeName(at_).constData(), "tmpfs", flags, nullptr) == 0;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

QStringList filesIn(const QString& folder) {
    QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeAll(QString::fromLatin1(kFiller));
    return names;
}
