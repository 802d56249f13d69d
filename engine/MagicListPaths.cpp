#include "engine/MagicListPaths.h"

#include "engine/Options.h"
#include "engine/ProgramState.h"

#include <QFile>
#include <QFileInfo>

QString realPathOf(const QString& path) {
    if (path.isEmpty())
        return {};
    return QFileInfo(path).canonicalFilePath();
}

QString privateCopyRealPath(const QString& path) {
    const QString folder = realPathOf(Options.PrivateMagicListPath);
    if (folder.isEmpty())
        return {};
    const QString real = realPathOf(path);
    if (real.isEmpty() || !real.startsWith(folder + u'/'))
        return {};
    return real;
}

void removePictureQuietly(const QString& path) {
    QFile::remove(path);
}
