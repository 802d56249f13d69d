#include "platform/FileDialog.h"

#include "platform/FileNames.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMultiHash>
#include <QStandardPaths>

namespace {

// One pattern with every letter as a bracket of both cases.
QString caseFree(const QString& pattern) {
    QString out;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower == upper)
            out += c;
        else
            out += u'[' + QString(lower) + QString(upper) + u']';
    }
    return out;
}

bool isKnownPicture(const QString& path) {
    // Only ordinary files are probed: opening a pipe would wait for a writer.
    if (!QFileInfo(path).isFile())
        return false;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.canRead();
}

// Extensions that files of a format often carry besides the format's own
// name.
const QMultiHash<QString, QString>& usualExtensions() {
    static const QMultiHash<QString, QString> table = {
        {QStringLiteral("jpeg"), QStringLiteral("jpg")},
        {QStringLiteral("jpeg"), QStringLiteral("jpe")},
        {QStringLiteral("jpeg"), QStringLiteral("jfif")},
        {QStringLiteral("tiff"), QStringLiteral("tif")},
        {QStringLiteral("bmp"), QStringLiteral("dib")},
        {QStringLiteral("pbm"), QStringLiteral("pnm")},
        {QStringLiteral("pgm"), QStringLiteral("pnm")},
        {QStringLiteral("ppm"), QStringLiteral("pnm")},
        {QStringLiteral("heif"), QStringLiteral("heic")},
        {QStringLiteral("jp2"), QStringLiteral("j2k")},
        {QStringLiteral("jp2"), QStringLiteral("jpf")},
        {QStringLiteral("jp2"), QStringLiteral("jpx")},
    };
    return table;
}

} // namespace

QString picturesFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

QString readablePicturePatterns() {
    QStringList extensions;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString name = QString::fromLatin1(format).toLower();
        extensions << name << usualExtensions().values(name);
    }
    extensions.sort();
    extensions.removeDuplicates();
    QStringList patterns;
    for (const QString& e : extensions)
        patterns << QStringLiteral("*.") + e;
    return patterns.join(u';');
}

QString filterName(const QString& filter) {
    return filter.section(u'|', 0, 0);
}

QStringList caseFreePatterns(const QString& filter) {
    QStringList out;
    const QStringList patterns = filter.section(u'|', 1).split(u';', Qt::SkipEmptyParts);
    for (const QString& p : patterns) {
        const QString glob = caseFree(p.trimmed());
        if (!glob.isEmpty() && !out.contains(glob))
            out << glob;
    }
    return out;
}

FileDialogResult choosePictureFiles(QWidget* owner, const QString& title, const QString& filter) {
    FileDialogResult result;
    const QStringList chosen = services().fileDialog->chooseFiles(owner, title, filter);
    if (chosen.isEmpty()) {
        result.code = dlgerr::Cancelled;
        return result;
    }
    for (const QString& path : chosen) {
        // A name the lists can't keep is refused with its own reason later.
        if (!isKnownPicture(path) && !hasNonUtf8Name(path)) {
            result.code = dlgerr::InvalidFormat;
            return result;
        }
    }
    result.paths = chosen;
    return result;
}
