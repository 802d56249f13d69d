#include "engine/MagicListDuplicates.h"

#include "engine/FileRoutines.h"
#include "engine/MagicList.h"
#include "engine/PictureDeletion.h"
#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

namespace {

DuplicateScanCounts scanCounts;

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
        QCoreApplication::processEvents();
}

// Byte for byte: a sum of bytes cannot tell a picture from its mirror image.
bool sameBytes(const QString& a, const QString& b) {
    QFile fa, fb;
    scanCounts.compareReads += 2;
    if (!openRegularFile(fa, a) || !openRegularFile(fb, b))
        return false;
    if (fa.size() != fb.size())
        return false;
    constexpr qint64 chunk = 1 << 16;
    QByteArray ba(chunk, Qt::Uninitialized), bb(chunk, Qt::Uninitialized);
    for (;;) {
        const qint64 na = fa.read(ba.data(), chunk);
        const qint64 nb = fb.read(bb.data(), chunk);
        if (na != nb || na < 0)
            return false;
        if (na == 0)
            return true;
        if (memcmp(ba.constData(), bb.constData(), size_t(na)) != 0)
            return false;
    }
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
    removeMarkedEntries(nullptr);

    // The same content: equal sizes, equal byte sums (each file summed at
    // most once, and only when another file has its size), equal bytes.
    QHash<int32_t, QList<qsizetype>> bySize;
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        entries_[i].FileSize = GetFileSizeOf(entries_[i].Path);
        bySize[entries_[i].FileSize].append(i);
    }
    QList<bool> summed(entries_.size(), false);
    auto checksumOf = [&](qsizetype i) {
        if (!summed[i]) {
            entries_[i].CheckSum = GetFileChecksum(entries_[i].Path);
            summed[i] = true;
            ++scanCounts.checksumReads;
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
                if (checksumOf(j) == sumI && sameBytes(entries_[i].Path, entries_[j].Path))
                    entries_[j].Duplicate = 1;
            }
        }
    }
    PictureDeletion deletion;
    removeMarkedEntries(&deletion);
    deletion.finish(*this);
}

void clsMagicList::removeMarkedEntries(PictureDeletion* deletion) {
    for (qsizetype i = entries_.size() - 1; i >= 0; --i) {
        if (entries_[i].Duplicate == 0)
            continue;
        if (deletion)
            deletion->note(entries_[i].Path);
        removeEntryAt(i);
    }
}
