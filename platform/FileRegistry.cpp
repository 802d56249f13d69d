#include "platform/FileRegistry.h"

#include "platform/AtomicFile.h"
#include "platform/InstalledPrograms.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

namespace {

const QString kRunKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kRunValue = QStringLiteral("Tapestrel");

// Writes bytes to path through a temporary file and a rename; 0 or a
// system error code.
int writeAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr) {
    const int err = replaceFileContent(path, bytes, reason);
    return err == 0 ? winerr::Success : winerr::fromErrno(err);
}

QString writeFailure(const QString& file, const QString& reason) {
    return QStringLiteral("The settings file %1 could not be written: %2.").arg(file, reason);
}

// In a desktop entry's Exec line, a quoted argument escapes these with a
// backslash, and the entry's own escaping doubles every backslash.
QString quoteExecArgument(const QString& arg) {
    QString inner;
    for (QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            inner += u'\\';
        inner += c;
    }
    inner.replace(u"\\"_qs, u"\\\\"_qs);
    return u'"' + inner + u'"';
}

} // namespace

FileRegistry::FileRegistry(Locations locations) : locations_(std::move(locations)) {
    user_.file = locations_.currentUserFile;
    user_.rootName = QStringLiteral("HKEY_CURRENT_USER");
    machine_.file = locations_.localMachineFile;
    machine_.rootName = QStringLiteral("HKEY_LOCAL_MACHINE");
    static const SearchPathPrograms searchPath;
    setInstalledPrograms(&searchPath);
}

FileRegistry::Locations FileRegistry::standardLocations(const QString& machineDataFolder,
                                                        const QString& executable) {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    Locations l;
    l.currentUserFile = config + QStringLiteral("/Tapestrel/HKEY_CURRENT_USER.reg");
    l.localMachineFile = machineDataFolder + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
    l.autostartFile = config + QStringLiteral("/autostart/Tapestrel.desktop");
    l.executablePath = executable;
    return l;
}

QString FileRegistry::autostartEntry(const QString& executablePath) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Tapestrel\n"
                          "Comment=Desktop wallpaper changer\n"
                          "Exec=%1 -SILENT\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(quoteExecArgument(executablePath));
}

FileRegistry::Store& FileRegistry::store(Hive hive) const {
    Store& s = hive == Hive::CurrentUser ? user_ : machine_;
    refresh(s);
    return s;
}

void FileRegistry::refresh(Store& s) const {
    const QFileInfo info(s.file);
    const bool exists = info.exists();
    const QDateTime stamp = exists ? info.lastModified() : QDateTime();
    const qint64 size = exists ? info.size() : -1;
    if (s.loaded && stamp == s.loadedStamp && size == s.loadedSize)
        return;
    s.loaded = true;
    s.loadedStamp = stamp;
    s.loadedSize = size;
    s.data.clear();
    if (std::exchange(s.unreadable, false))
        s.failure.clear();
    if (!exists)
        return;
    QFile f;
    if (!openRegularFile(f, s.file)) {
        const QString reason =
            errno == EINVAL ? QStringLiteral("it is not a file") : qt_error_string(errno);
        s.unreadable = true;
        s.failure = QStringLiteral("The settings file %1 could not be read: %2. It is left as "
                                   "it is, and no settings are saved to it.")
                        .arg(s.file, reason);
        return;
    }
    const QByteArray bytes = f.readAll();
    f.close();
    HiveData parsed;
    if (parsed.parse(bytes, s.rootName)) {
        s.data = parsed;
        return;
    }
    // Keep the damaged file for the user to look at, and start afresh. An
    // earlier damaged one is kept too: each gets a number of its own.
    QString aside;
    for (int n = 1; n < 1000; ++n) {
        aside = s.file + QStringLiteral(".bad") + (n > 1 ? u'.' + QString::number(n) : QString());
        if (QFileInfo::exists(aside))
            continue;
        // Renaming never replaces a file that is there; one made meanwhile
        // makes it fail, and the next number is tried.
        if (QFile::rename(s.file, aside) || !QFileInfo::exists(aside))
            break;
    }
    problems_ << QStringLiteral("The settings file %1 was damaged. It has been kept as %2 and "
                                "the settings start afresh.")
                     .arg(s.file, aside);
    const QFileInfo after(s.file);
    s.loadedStamp = after.exists() ? after.lastModified() : QDateTime();
    s.loadedSize = after.exists() ? after.size() : -1;
}

int FileRegistry::persist(Store& s) const {
    if (s.unreadable)
        return winerr::AccessDenied;
    QString reason;
    const int rc = writeAtomically(s.file, s.data.serialize(s.rootName), &reason);
    if (rc != winerr::Success) {
        s.failure = writeFailure(s.file, reason);
        return rc;
    }
    s.failure.clear();
    const QFileInfo info(s.file);
    s.loadedStamp = info.lastModified();
    s.loadedSize = info.size();
    return rc;
}

int FileRegistry::createKey(Hive hive, const QString& key) {
    Store& s = store(hive);
    if (s.data.findKey(key)) {
        // Opening an existing key for writing fails where the file cannot be written.
        const QFileInfo info(s.file);
        const QFileInfo folder(info.absolutePath());
        if (s.unreadable)
            return winerr::AccessDenied;
        if ((info.exists() && !info.isWritable()) || (folder.exists() && !folder.isWritable())) {
            s.failure = writeFailure(s.file, qt_error_string(EACCES));
            return winerr::AccessDenied;
        }
        return winerr::Success;
    }
    const HiveData before = s.data;
    s.data.ensureKey(key);
    const int rc = persist(s);
    if (rc != winerr::Success)
        s.data = before;
    return rc;
}

int FileRegistry::setValue(Hive hive, const QString& key, const QString& name,
                           const QString& value) {
    Store& s = store(hive);
    const HiveData before = s.data;
    s.data.setValue(key, name, value);
    int rc = persist(s);
    if (rc != winerr::Success) {
        s.data = before;
        return rc;
    }
    return mirrorAutostart(hive, key, name, true, value);
}

bool FileRegistry::keyExists(Hive hive, const QString& key) const {
    return store(hive).data.findKey(key) != nullptr || answersKey(hive, key);
}

std::optional<QString> FileRegistry::value(Hive hive, const QString& key,
                                           const QString& name) const {
    if (std::optional<QString> stored = store(hive).data.value(key, name))
        return stored;
    return answeredValue(hive, key, name);
}

int FileRegistry::deleteValue(Hive hive, const QString& key, const QString& name) {
    Store& s = store(hive);
    const HiveData before = s.data;
    if (!s.data.deleteValue(key, name)) {
        mirrorAutostart(hive, key, name, false, {});
        return winerr::FileNotFound;
    }
    const int rc = persist(s);
    if (rc != winerr::Success) {
        s.data = before;
        return rc;
    }
    return mirrorAutostart(hive, key, name, false, {});
}

int FileRegistry::mirrorAutostart(Hive hive, const QString& key, const QString& name, bool present,
                                  const QString& value) {
    Q_UNUSED(value);
    if (hive != Hive::CurrentUser || locations_.autostartFile.isEmpty() ||
        !HiveData::sameKey(key, kRunKey) || name.compare(kRunValue, Qt::CaseInsensitive) != 0)
        return winerr::Success;
    if (!present) {
        if (QFile::exists(locations_.autostartFile) && !QFile::remove(locations_.autostartFile))
            return winerr::AccessDenied;
        return winerr::Success;
    }
    return writeAtomically(locations_.autostartFile,
                           autostartEntry(locations_.executablePath).toUtf8());
}

QString FileRegistry::hiveFailure(Hive hive) const {
    return store(hive).failure;
}

QStringList FileRegistry::takeProblems() {
    refresh(user_);
    refresh(machine_);
    QStringList out = problems_;
    problems_.clear();
    return out;
}
