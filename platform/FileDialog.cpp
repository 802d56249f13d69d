#include "platform/FileDialog.h"

#include "platform/Services.h"

#include <QFileInfo>
#include <QImageReader>

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

} // namespace

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
        if (!isKnownPicture(path)) {
            result.code = dlgerr::InvalidFormat;
            return result;
        }
    }
    result.paths = chosen;
    return result;
}
