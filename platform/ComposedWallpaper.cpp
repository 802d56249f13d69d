#include "platform/ComposedWallpaper.h"

#include "platform/ImageBox.h"
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

ComposedWallpaper::ComposedWallpaper(Layout layout)
    : layout_(layout ? std::move(layout) : Layout(qtMonitors)) {}

QStringList ComposedWallpaper::picturesOf(const QString& bitmapPath) {
    QStringList paths;
    for (const Numbered& n : numberedPictures(bitmapPath))
        paths << n.path;
    return paths;
}

QStringList ComposedWallpaper::alternatingCopiesOf(const QString& bitmapPath) {
    const QFileInfo bitmap(bitmapPath);
    const QString stem = bitmap.absolutePath() + QStringLiteral("/.") + bitmap.completeBaseName();
    return {stem + QStringLiteral("-A.bmp"), stem + QStringLiteral("-B.bmp")};
}

ComposedWallpaper::Result ComposedWallpaper::prepare(const DesktopValues& values, Span span) {
    prepared_.clear();
    QImage bitmap;
    if (!values.wallpaperPath.isEmpty()) {
        const QString path = QFileInfo(values.wallpaperPath).absoluteFilePath();
        ImageBox box;
        if (const int32_t code = box.load(path))
            return {{},
                    QStringLiteral("the wallpaper bitmap %1 could not be read (%2)")
                        .arg(path)
                        .arg(code),
                    {},
                    {}};
        bitmap = box.takeImage();
        useBitmap(path);
    } else {
        noteNamedBitmap(values);
    }
    const QRgb colour = desktopColour(values, lastColour_);
    if (bitmap_.isEmpty())
        return {}; // no bitmap known yet: nowhere to put the colour

    Result result;
    result.layout = layout_();
    result.layout.removeIf([](const Monitor& m) { return m.geometry.isEmpty(); });
    if (result.layout.isEmpty())
        result.layout = singleMonitor(bitmap.isNull() ? QSize(1, 1) : bitmap.size());
    MonitorBitmaps bitmaps(values, bitmap);
    const auto fail = [&] {
        discard();
        result.path.clear();
        result.monitors.clear();
        return result;
    };
    if (span == Span::Each) {
        // The primary first: a desktop that knows no other monitor gets it.
        const Monitor* primary = primaryMonitor(result.layout);
        QList<Monitor> ordered{*primary};
        for (const Monitor& m : result.layout)
            if (&m != primary)
                ordered.append(m);
        for (const Monitor& m : ordered) {
            const QString path =
                write(composeMonitor(m.geometry.size(), values, bitmaps, colour), result.error);
            if (path.isEmpty())
                return fail();
            result.monitors.append({m, path});
        }
        result.path = result.monitors.first().second;
        return result;
    }
    const QImage picture =
        span == Span::Primary
            ? composeMonitor(primaryMonitor(result.layout)->geometry.size(), values, bitmaps,
                             colour)
            : composeLayout(layoutBounds(result.layout), result.layout, values, bitmaps, colour);
    result.path = write(picture, result.error);
    if (result.path.isEmpty())
        return fail();
    return result;
}

QString ComposedWallpaper::write(const QImage& picture, QString& error) {
    ImageBox box;
    box.setImage(picture);
    const QList<Numbered> existing = numberedPictures(bitmap_);
    lastNumber_ = std::max(lastNumber_, existing.isEmpty() ? 0 : existing.last().number) + 1;
    const QFileInfo info(bitmap_);
    const QString target = info.absolutePath() + QStringLiteral("/.") + info.completeBaseName() +
                           QStringLiteral("-%1.bmp").arg(lastNumber_);
    if (const int32_t code = box.save(target)) {
        error =
            QStringLiteral("the screen picture %1 could not be written (%2)").arg(target).arg(code);
        return {};
    }
    prepared_ << target;
    return target;
}

ComposedWallpaper::Result ComposedWallpaper::handOver(const DesktopValues& values, Span span) {
    if (!values.wallpaperPath.isEmpty())
        return prepare(values, span);
    prepared_.clear();
    noteNamedBitmap(values);
    desktopColour(values, lastColour_);
    Result none;
    none.layout = layout_();
    return none;
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

void ComposedWallpaper::removeAllBut(const QStringList& kept) {
    if (bitmap_.isEmpty())
        return;
    for (const QString& path : picturesOf(bitmap_) + alternatingCopiesOf(bitmap_))
        if (!kept.contains(path))
            QFile::remove(path);
}

void ComposedWallpaper::taken() {
    removeAllBut(std::exchange(prepared_, QStringList()));
}

void ComposedWallpaper::discard() {
    for (const QString& path : std::as_const(prepared_))
        QFile::remove(path);
    prepared_.clear();
}

void ComposedWallpaper::keep() {
    prepared_.clear();
}
