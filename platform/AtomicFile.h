#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's content as a whole: the bytes go to a temporary file
// beside it, which then takes the file's place, so that a reader or a crash
// sees either the old content or the new one; the folder is then synced, so
// that the new name survives a power cut too. Temporary files that an
// earlier replacement of the same file left behind (the program was killed
// half-way) are removed first. The folder is made when it is missing.
// 0 on success, else the errno of the failure; `reason` then says what
// went wrong, for people.
int replaceFileContent(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// How many times a folder was synced after a file in it was replaced.
int folderSyncCount();
