#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A small tmpfs of the test's own, for the faults that only a real file
// system shows: a full disk, a folder that turns read-only. Mounting needs
// root (CI runs as root); `mounted()` is false elsewhere, with `why()`.
class SmallFilesystem {
public:
    explicit SmallFilesystem(int kilobytes = 1024);
    // Mounted on a folder of the caller's, which is made when missing.
    SmallFilesystem(const QString& folder, int kilobytes);
    ~SmallFilesystem();
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    bool mounted() const { return mounted_; }
    QString why() const { return why_; }
    QString path() const { return at_; }
    QString file(const QString& name) const { return at_ + u'/' + name; }

    // Takes every free block with a file of filler; true when the disk is
    // full afterwards.
    bool fill();
    // Frees the filler again.
    void unfill();
    // Turns the whole file system read-only, or writable again.
    bool setReadOnly(bool readOnly);

private:
    void mount(int kilobytes);

    QTemporaryDir dir_;
    QString at_;
    bool mounted_ = false;
    QString why_;
};

// The bytes of a file, or an empty array when it cannot be read.
QByteArray fileBytes(const QString& path);
// Writes bytes to a file plainly; false on failure.
bool putFile(const QString& path, const QByteArray& bytes);
// The names of the files in a folder, hidden ones included, the filler not.
QStringList filesIn(const QString& folder);
