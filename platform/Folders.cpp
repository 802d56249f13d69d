#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString withoutTrailingSlash(QString p) {
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

// Whether two paths name the same file (a link and what it leads to do).
bool sameFile(const QString& a, const QString& b) {
    struct stat sa = {};
    struct stat sb = {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The running program's own path, every link resolved, as the system
// knows it: also right when the program was started through a link.
QString resolvedExecutable() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return QCoreApplication::applicationFilePath();
    QString path = QFile::decodeName(QByteArray(buffer, static_cast<int>(n)));
    // The file was replaced while the program runs (an upgrade): the
    // folder is still the one it was started from.
    const QString deleted = QStringLiteral(" (deleted)");
    if (path.endsWith(deleted) && !QFileInfo::exists(path))
        path.chop(deleted.size());
    return path;
}

} // namespace

QString startedProgramPath(const QString& firstArgument, const QString& workingFolder,
                           const QString& searchPath, const QString& executable) {
    QString candidate;
    if (firstArgument.contains(u'/')) {
        candidate = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(firstArgument));
    } else if (!firstArgument.isEmpty()) {
        for (const QString& folder : searchPath.split(u':')) {
            // An empty entry of the search path is the working folder.
            const QString path = QDir::cleanPath(
                QDir(workingFolder)
                    .absoluteFilePath(folder.isEmpty() ? QStringLiteral(".") : folder) +
                u'/' + firstArgument);
            const QFileInfo info(path);
            if (info.isFile() && info.isExecutable()) {
                candidate = path;
                break;
            }
        }
    }
    if (!candidate.isEmpty() && sameFile(candidate, executable))
        return candidate;
    return executable;
}

QString machineDataFolderOf(const QString& programFolder) {
    const QFileInfo hive(programFolder + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"));
    if (!hive.isSymLink())
        return programFolder;
    return withoutTrailingSlash(QFileInfo(hive.symLinkTarget()).absolutePath());
}

SystemFolders::SystemFolders()
    : executable_(resolvedExecutable()),
      started_(startedProgramPath(QCoreApplication::arguments().value(0), QDir::currentPath(),
                                  qEnvironmentVariable("PATH"), executable_)) {}

QString SystemFolders::programFolder() const {
    return withoutTrailingSlash(QFileInfo(executable_).absolutePath());
}

QString SystemFolders::programFilePath() const {
    return started_;
}

QString SystemFolders::machineDataFolder() const {
    return machineDataFolderOf(programFolder());
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
