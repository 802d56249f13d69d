#include "engine/PictureDeletion.h"

#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

int finishPasses = 0; // program state: a count for tests

// The file's path with every link and ".." resolved, or "" when it does not
// exist.
QString resolvedPath(const QString& path) {
    if (path.isEmpty())
        return {};
    return QFileInfo(path).canonicalFilePath();
}

// Whether the resolved path is one of the program's own copies.
bool isOwnCopy(const QString& resolved, const QString& privateFolder) {
    if (resolved.isEmpty() || privateFolder.isEmpty() || !isRegularFile(resolved))
        return false;
    const QString folder = QFileInfo(resolved).path();
    for (const char* name : {"Internet Images", "CD Images", "Other Images"}) {
        if (folder == privateFolder + u'/' + QLatin1StringView(name))
            return true;
    }
    return false;
}

bool sameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString ra = resolvedPath(a);
    return ra.isEmpty() ? a == b : ra == resolvedPath(b);
}

void addPicturesOf(const clsMagicList& list, QSet<QString>& used) {
    for (int16_t i = 0; i < list.GetCount(); ++i) {
        const QString resolved = resolvedPath(list.GetEntryPath(i));
        if (!resolved.isEmpty())
            used.insert(resolved);
    }
}

} // namespace

void PictureDeletion::note(const QString& picturePath) {
    if (!privateFolderKnown_) {
        privateFolder_ = resolvedPath(Options.PrivateMagicListPath);
        privateFolderKnown_ = true;
    }
    const QString resolved = resolvedPath(picturePath);
    if (isOwnCopy(resolved, privateFolder_))
        candidates_.insert(resolved);
}

void PictureDeletion::finish(const clsMagicList& list) {
    listsRead_ = 0;
    QSet<QString> candidates = std::exchange(candidates_, {});
    if (candidates.isEmpty())
        return;
    ++finishPasses;
    QSet<QString> used;
    addPicturesOf(list, used);
    candidates.subtract(used);
    if (candidates.isEmpty())
        return;

    // The active list may hold changes its file does not have yet.
    const bool activeIsOther = &list != &ActiveMagicList;
    if (activeIsOther)
        addPicturesOf(ActiveMagicList, used);
    std::unique_ptr<clsMagicList> other;
    for (int16_t row = 1; row <= ListIndexCount && row < ListIndexEntries.size(); ++row) {
        const QString file = ListIndexEntries[row].ListPath;
        if (file.isEmpty() || sameFile(file, list.GetFilePath()) ||
            (activeIsOther && sameFile(file, ActiveMagicList.GetFilePath())))
            continue;
        if (!other)
            other = std::make_unique<clsMagicList>();
        ++listsRead_;
        if (other->loadQuietly(file) != 0) {
            if (QFileInfo::exists(file))
                return;
            continue; // gone since the index was built
        }
        addPicturesOf(*other, used);
    }
    for (const QString& resolved : std::as_const(candidates)) {
        // Looked at again: the file may have changed since it was noted.
        if (!used.contains(resolved) && isOwnCopy(resolved, privateFolder_))
            QFile::remove(resolved);
    }
}

int PictureDeletion::passes() {
    return finishPasses;
}
