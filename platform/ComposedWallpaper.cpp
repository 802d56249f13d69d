#include "platform/ComposedWallpaper.h"

#include "platform/ImageBox.h"
#include "platform/Screen.h"
#include "platform/ScreenPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <utility>

namespace {

struct Numbered {
    quint64 number;
    QString path;
};

// The pictures ".STEM-N.bmp" beside the bitmap, by number.
QList<Numbered> numberedPictures(const QString& bitmapPath) {
    const QFileInfo bitmap(bitmapPath);
    const QString stem = QStringLiteral(".") + bitmap.completeBaseName() + QStringLiteral("-");
    const QRegularExpression pattern(
        QStringLiteral("^%1(\\d{1,18})\\.bmp$").arg(QRegularExpression::escape(stem)));
    const QDir folder = bitmap.absoluteDir();
    QList<Numbered> found;
    const QStringList names =
        folder.entryList({stem + QStringLiteral("*.bmp")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QRegularExpressionMatch m = pattern.match(name);
        if (m.hasMatch())
            found.append({m.captured(1).toULongLong(), folder.absoluteFilePath(name)});
    }
    std::sort(found.begin(), found.end(),
              [](const Numbered& a, const Numbered& b) { return a.number < b.number; });
    return found;
}

} // namespace

ComposedWallpaper::ComposedWallpaper(ScreenSize screenSize)
    : screenSize_(screenSize ? std::move(screenSize) : ScreenSize(primaryScreenSize)) {}

QStringList ComposedWallpaper::picturesOf(const QString& bitmapPath) {
    QStringList paths;
    for (const Numbered& n : numberedPictures(bitmapPath))
        paths << n.path;
    return paths;
}

ComposedWallpaper::Result ComposedWallpaper::prepare(const DesktopValues& values) {
    prepared_.clear();
    QImage bitmap;
    if (!values.wallpaperPath.isEmpty()) {
        const QString path = QFileInfo(values.wallpaperPath).absoluteFilePath();
        ImageBox box;
        if (const int32_t code = box.load(path))
            return {{},
                    QStringLiteral("the wallpaper bitmap %1 could not be read (%2)")
                        .arg(path)
                        .arg(code)};
        bitmap = box.takeImage();
        useBitmap(path);
    } else {
        noteNamedBitmap(values);
    }
    const QRgb colour = desktopColour(values, lastColour_);
    if (bitmap_.isEmpty())
        return {}; // no bitmap known yet: nowhere to put the colour

    QSize screen = screenSize_();
    if (screen.isEmpty())
        screen = bitmap.isNull() ? QSize(1, 1) : bitmap.size();
    ImageBox box;
    box.setImage(composeScreen(screen, values, bitmap, colour));

    const QList<Numbered> existing = numberedPictures(bitmap_);
    lastNumber_ = std::max(lastNumber_, existing.isEmpty() ? 0 : existing.last().number) + 1;
    const QFileInfo info(bitmap_);
    const QString target = info.absolutePath() + QStringLiteral("/.") + info.completeBaseName() +
                           QStringLiteral("-%1.bmp").arg(lastNumber_);
    if (const int32_t code = box.save(target))
        return {{},
                QStringLiteral("the screen picture %1 could not be written (%2)")
                    .arg(target)
                    .arg(code)};
    prepared_ = target;
    return {target, {}};
}

ComposedWallpaper::Result ComposedWallpaper::handOver(const DesktopValues& values) {
    if (!values.wallpaperPath.isEmpty())
        return prepare(values);
    prepared_.clear();
    noteNamedBitmap(values);
    desktopColour(values, lastColour_);
    return {};
}

void ComposedWallpaper::noteNamedBitmap(const DesktopValues& values) {
    if (values.bitmapPath.isEmpty())
        return;
    const QFileInfo named(values.bitmapPath);
    if (named.absoluteDir().exists())
        useBitmap(named.absoluteFilePath());
}

void ComposedWallpaper::useBitmap(const QString& absolutePath) {
    if (absolutePath != bitmap_)
        lastNumber_ = 0;
    bitmap_ = absolutePath;
}

void ComposedWallpaper::removeAllBut(const QString& kept) {
    if (bitmap_.isEmpty())
        return;
    for (const QString& path : picturesOf(bitmap_))
        if (path != kept)
            QFile::remove(path);
}

void ComposedWallpaper::taken() {
    removeAllBut(std::exchange(prepared_, QString()));
}

void ComposedWallpaper::discard() {
    if (!prepared_.isEmpty())
        QFile::remove(prepared_);
    prepared_.clear();
}

void ComposedWallpaper::keep() {
    prepared_.clear();
}
