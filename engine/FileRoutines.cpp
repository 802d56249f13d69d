#include "engine/FileRoutines.h"

#include "engine/ErrorWindow.h"
#include "engine/RunFlags.h"
#include "platform/DriveTypes.h"
#include "platform/Folders.h"
#include "platform/RegularFile.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/SystemVersion.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

QString withSlash(const QString& folder) {
    if (folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

int16_t mapWindowsVersion(int platformId, int major, int minor) {
    if (platformId == 1) {
        switch (minor) {
        case 0:
            return 1;
        case 10:
            return 2;
        case 90:
            return 3;
        default:
            return 0;
        }
    }
    if (platformId == 2) {
        if (major == 3)
            return 4;
        if (major == 4)
            return 5;
        if (major == 5)
            return minor > 0 ? 7 : 6;
        return 0;
    }
    return 1;
}

int16_t GetWindowsVersion() {
    return kSystemVersionCode;
}

QString GetLongFileName(const QString& path) {
    // Every name here is already its long form.
    return path;
}

QString GetSpecialFolderPath(int32_t owner, int32_t folderId) {
    Q_UNUSED(owner);
    QString folder;
    if (folderId == 5)
        folder = services().folders->documentsFolder();
    else if (folderId == 32)
        folder = services().folders->internetCacheFolder();
    if (folder.isEmpty())
        return QString();
    return withSlash(folder);
}

QString GetTempFolder() {
    QString t = services().folders->tempFolder();
    if (t.isEmpty())
        t = services().folders->programFolder();
    return withSlash(t);
}

void OpenWebPage(const QString& address) {
    // The desktop's own URL handler stands in for looking up the program
    // that opens a page, so no probe file is needed.
    Shell& shell = *services().shell;
    if (!shell.hasBrowser()) {
        ShowErrorMessage(QStringLiteral("No Internet Browser Available"), 48, QString());
        return;
    }
    if (!shell.openUrl(address))
        ShowErrorMessage(QStringLiteral("Error Opening Web Page"), 48, QString());
}

bool HasWriteAccess() {
    if (ThisRun.writeProbeDone)
        return ThisRun.writeProbeAnswer;
    // An installed copy writes its folder's files elsewhere (its program
    // folder stays as installed): the probe asks there.
    const QString folder = withSlash(services().folders->machineDataFolder());
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("KVLTMP.$$$"));
    // Create the probe file ourselves or not at all: a file of that name
    // that someone else left is never opened for writing or deleted.
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(path.constData());
        ThisRun.writeProbeAnswer = true;
    } else if (errno == EEXIST) {
        ThisRun.writeProbeAnswer = ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
    } else {
        ThisRun.writeProbeAnswer = false;
    }
    ThisRun.writeProbeDone = true;
    return ThisRun.writeProbeAnswer;
}

void resetWriteAccessProbe() {
    ThisRun.writeProbeDone = false;
    ThisRun.writeProbeAnswer = false;
}

int16_t GetDriveTypeOfPath(const QString& path) {
    if (path.startsWith(QStringLiteral("\\\\")) || path.startsWith(QStringLiteral("//")))
        return drive::Network;
    return services().drives->driveTypeOf(path);
}

void MakeUniqueLabel(const QString& path, QString& folderPart, QString& namePart,
                     QString& extension, bool stripCounter) {
    const qsizetype sep = path.lastIndexOf(u'/');
    const QString component = path.mid(sep + 1);
    const qsizetype dot = component.lastIndexOf(u'.');
    extension = dot >= 0 ? component.mid(dot + 1) : QString();
    namePart = dot >= 0 ? component.left(dot) : component;
    if (sep >= 0)
        folderPart = path.left(sep + 1);

    if (stripCounter && namePart.size() >= 2 && namePart.endsWith(u']')) {
        for (qsizetype i = namePart.size() - 2; i >= 0; --i) {
            const QChar c = namePart[i];
            if (c == u'[') {
                namePart.truncate(i);
                break;
            }
            if (c < u'0' || c > u'9')
                break;
        }
    }
}

QString safeCopyName(const QString& name) {
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            continue;
        out += c;
    }
    while (out.contains(QStringLiteral("..")))
        out.replace(QStringLiteral(".."), QString());
    return out;
}

int32_t GetFileSizeOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<quint64>(info.size())));
}

int32_t GetFileChecksum(const QString& path) {
    QFile file;
    if (!openRegularFile(file, path))
        return 0;
    qint64 sum = 0;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n < 0)
            return 0;
        if (n == 0)
            break;
        if (!addToByteSum(sum, buffer.constData(), n))
            return 0;
    }
    return static_cast<int32_t>(sum);
}

bool addToByteSum(qint64& sum, const char* bytes, qint64 count) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    for (qint64 i = 0; i < count; ++i)
        sum += b[i];
    return sum <= 2147483647LL;
}
