#pragma once

#include "platform/Desktop.h"

#include <QString>
#include <QStringList>

// The wallpaper bitmap is rewritten under one name at every change, and a
// desktop that is handed a path it already shows keeps the picture it has.
// So the desktop is handed one of two copies beside the bitmap instead
// (".ZOZ-A.bmp", ".ZOZ-B.bmp" for "ZOZ.bmp"), taken in turn: the copy the
// desktop shows is never touched, the other one is replaced.
class ReloadAlias {
public:
    struct Result {
        QString path;  // the fresh copy, absolute
        QString error; // empty on success
    };

    // Copies the picture to the copy the desktop is not showing. The copy
    // is written under a temporary name and then renamed, so a desktop never
    // reads half a picture.
    Result prepare(const QString& picturePath);
    // The desktop took the copy prepare() made: the next prepare() writes the other one.
    void commit();
    // The desktop surely did not take it: remove it, so that the copy it
    // shows stays the newer one on disk for the next run.
    void discard();
    // The wallpaper was cleared: remove both copies of the last picture.
    void removeAll();

    // What a backend hands its desktop for the values: prepare()'s copy of
    // the wallpaper, or an empty path when there is no wallpaper (the
    // copies are then those of the bitmap the values name, if any).
    Result handOver(const DesktopValues& values);
    // The desktop took what handOver() gave: the copy is the shown one now,
    // and no wallpaper removes both copies.
    void taken();

    // The two copies of a picture, A first.
    static QStringList aliasPaths(const QString& picturePath);

private:
    int slotFor(const QStringList& aliases) const;
    void usePicture(const QString& absolutePath);

    QString picture_;  // the picture of the last prepare(), absolute
    QString prepared_; // the copy prepare() made and nobody has judged yet
    QString shown_;    // the copy the desktop took last
};
