#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Every file the program writes goes through here, so that a full disk, a
// folder that went read-only or a kill half-way never leaves a damaged file
// in place: the bytes go to a temporary file beside the file, every write
// is checked (short writes continue), the data is flushed and synced, the
// close is checked, and only then does the temporary file take the file's
// name; the folder is then synced, so that the new name survives a power
// cut too. On any failure the temporary file is removed, the old file stays
// byte for byte, and the failure comes back to the caller.

// The steps of a write, each of which can fail.
enum class WriteStep { Open, Write, Sync, Close, Rename };

class AtomicFileWriter {
public:
    enum class Mode {
        Replace,   // the new content takes the place of the old
        CreateNew, // the file must not exist yet; EEXIST when it does
    };

    explicit AtomicFileWriter(QString path, Mode mode = Mode::Replace);
    // The permission bits the file gets (call before open). Without them a
    // replaced file keeps its old bits and a new one gets the umask's.
    void setPermissions(unsigned bits) { permissions_ = int(bits & 07777); }
    ~AtomicFileWriter(); // a writer never committed is cancelled
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Opens the temporary file; the folder must exist. Temporary files that
    // an earlier replacement of the same file left behind (the program was
    // killed half-way) are removed first. False on failure.
    bool open();
    // Buffered; every byte that reaches the disk is checked. False once
    // anything has failed.
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Flushes, syncs and closes the temporary file, then gives it the
    // file's name. False on failure, when nothing has changed on disk.
    bool commit();
    // Removes the temporary file; the file keeps its old content.
    void cancel();

    // The errno of the first failure, 0 when none.
    int error() const { return error_; }
    // The system's words for the first failure.
    QString errorString() const { return qt_error_string(error_); }

private:
    bool fail(int err);
    bool flushBuffer();

    QString path_; // the file written, symbolic links resolved
    Mode mode_;
    QString temporary_;
    int fd_ = -1;
    QByteArray buffer_;
    int error_ = 0;
    int permissions_ = -1; // -1: the old file's bits, or the umask's
};

// Replaces a file's content as a whole through an AtomicFileWriter. The
// folder is made when it is missing. 0 on success, else the errno of the failure; `reason`
// then says what went wrong, for people.
int replaceFileContent(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// How many times a folder was synced after a file in it was replaced.
int folderSyncCount();

// For tests: makes chosen steps of chosen writes fail. The hook sees the
// file's path and the step about to run, and answers an errno to fail the
// step with, or 0 to let it run. An empty hook takes the seam away.
using WriteFaultHook = std::function<int(const QString& path, WriteStep step)>;
void setWriteFaultHook(WriteFaultHook hook);
