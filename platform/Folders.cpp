#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

QString withoutTrailingSlash(QString p) {
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

} // namespace

QString SystemFolders::programFolder() const {
    return withoutTrailingSlash(QCoreApplication::applicationDirPath());
}

QString SystemFolders::programFilePath() const {
    return QCoreApplication::applicationFilePath();
}

QString SystemFolders::documentsFolder() const {
    return withoutTrailingSlash(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString SystemFolders::internetCacheFolder() const {
    return withoutTrailingSlash(
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
}

QString SystemFolders::tempFolder() const {
    return withoutTrailingSlash(QDir::tempPath());
}

QString SystemFolders::privateRuntimeFolder() const {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return withoutTrailingSlash(runtime);
    return withoutTrailingSlash(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

FixedFolders FixedFolders::under(const QString& base) {
    FixedFolders f;
    f.program = base + QStringLiteral("/program");
    f.programFile = f.program + QStringLiteral("/tapestrel");
    f.documents = base + QStringLiteral("/home/Documents");
    f.cache = base + QStringLiteral("/home/.cache");
    f.temp = base + QStringLiteral("/tmp");
    f.runtime = base + QStringLiteral("/run");
    for (const QString& folder : {f.program, f.documents, f.cache, f.temp, f.runtime})
        QDir().mkpath(folder);
    return f;
}
