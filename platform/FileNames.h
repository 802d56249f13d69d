#pragma once

#include <QByteArray>
#include <QString>

// The file system keeps names as bytes; the program keeps paths as text,
// and its list files keep them as UTF-8. A name whose bytes are not UTF-8
// text reaches the program (from a drop or a dialog) with each bad byte
// turned into U+FFFD, a path that names no file and could not be written
// to a list file and read back as the same name.

// The path's bytes as the file system has them: each part that names
// nothing as it stands is matched against the names in its folder. Empty
// when no file answers to the path.
QByteArray pathOnDisk(const QString& path);

// True when the path stands for a file whose name is not UTF-8 text.
bool hasNonUtf8Name(const QString& path);

// The path to show the user: as it is on disk, each byte that is not
// UTF-8 text written as \xFF. Falls back to the path as given.
QString readablePath(const QString& path);
