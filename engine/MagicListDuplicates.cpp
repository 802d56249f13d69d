#include "engine/MagicListDuplicates.h"

#include "engine/FileRoutines.h"
#include "engine/MagicList.h"
#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <optional>

namespace {

DuplicateScanCounts scanCounts;
QHash<QString, int> readsByPath;

// Keeps the list marked busy for the length of a scan, also when it throws.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
};

void serveEvents() {
    if (QCoreApplication::instance())
        // Timers and the tray run (and find the list busy); the user's input
        // waits until the scan is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// One read of a file gives both its byte sum (GetFileChecksum's value: 0
// for an empty or unreadable file, or a sum past the 32-bit range) and a
// digest of its bytes. Two files are the same picture when their sizes,
// sums and digests agree: a sum alone cannot tell a picture from its
// mirror image, and comparing bytes would read every file a second time.
struct FileContent {
    int32_t sum = 0;
    QByteArray digest;
};

FileContent readContent(const QString& path) {
    FileContent content;
    QFile file;
    if (!openRegularFile(file, path))
        return content;
    ++scanCounts.fileReads;
    const int reads = ++readsByPath[path];
    scanCounts.mostReadsOfOneFile = std::max(scanCounts.mostReadsOfOneFile, reads);
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    qint64 sum = 0;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n < 0)
            return FileContent{};
        if (n == 0)
            break;
        if (!addToByteSum(sum, buffer.constData(), n))
            return FileContent{};
        hash.addData(QByteArrayView(buffer.constData(), n));
    }
    content.sum = static_cast<int32_t>(sum);
    content.digest = hash.result();
    return content;
}

} // namespace

DuplicateScanCounts lastDuplicateScanCounts() {
    return scanCounts;
}

void clsMagicList::RemoveDuplicates() {
    if (busy_)
        return;
    // The event loop runs between file reads; commands that change the
    // list see IsBusy() and leave it alone until the scan is over.
    const BusyScope busy(busy_);
    scanCounts = {};
    readsByPath.clear();
    for (MagicListEntry& e : entries_) {
        e.Duplicate = 0;
        e.FileSize = 0;
        e.CheckSum = 0;
    }

    // The same path, in any letter case. The file stays: the entry that
    // survives shows it.
    QHash<QString, qsizetype> firstWithPath;
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        const QString key = entries_[i].Path.toCaseFolded();
        if (firstWithPath.contains(key))
            entries_[i].Duplicate = 1;
        else
            firstWithPath.insert(key, i);
    }
    removeMarkedEntries(false);

    // The same content: equal sizes, equal byte sums, equal digests. Each
    // file is read at most once, and only when another file has its size.
    QHash<int32_t, QList<qsizetype>> bySize;
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        entries_[i].FileSize = GetFileSizeOf(entries_[i].Path);
        bySize[entries_[i].FileSize].append(i);
    }
    QList<bool> summed(entries_.size(), false);
    QList<QByteArray> digests(entries_.size());
    auto checksumOf = [&](qsizetype i) {
        if (!summed[i]) {
            const FileContent content = readContent(entries_[i].Path);
            entries_[i].CheckSum = content.sum;
            digests[i] = content.digest;
            summed[i] = true;
            serveEvents();
        }
        return entries_[i].CheckSum;
    };
    for (const QList<qsizetype>& group : std::as_const(bySize)) {
        for (qsizetype a = 0; a < group.size(); ++a) {
            const qsizetype i = group[a];
            if (entries_[i].Duplicate != 0)
                continue;
            for (qsizetype b = a + 1; b < group.size(); ++b) {
                const qsizetype j = group[b];
                if (entries_[j].Duplicate != 0)
                    continue;
                // A sum of 0 (an unreadable or empty file) matches nothing.
                const int32_t sumI = checksumOf(i);
                if (sumI <= 0)
                    break;
                if (checksumOf(j) == sumI && digests[j] == digests[i])
                    entries_[j].Duplicate = 1;
            }
        }
    }
    removeMarkedEntries(true);
}

void clsMagicList::removeMarkedEntries(bool notePictures) {
    for (qsizetype i = entries_.size() - 1; i >= 0; --i) {
        if (entries_[i].Duplicate == 0)
            continue;
        if (notePictures)
            removedPictures_.append(entries_[i].Path);
        removeEntryAt(i);
    }
}
