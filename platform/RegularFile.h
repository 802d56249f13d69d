#pragma once

#include <QString>

class QFile;

// Pictures, lists and settings files are named by users and by other
// programs, and a pipe or a device can stand where a file is expected.
// Opening one for reading would wait, perhaps for ever, for someone to
// write to it. These open only regular files, and the open itself never
// waits.

// Whether the path (links followed) names a regular file.
bool isRegularFile(const QString& path);
// Opens the file for reading when it is a regular file. False otherwise;
// errno then tells why (EINVAL: not a regular file).
bool openRegularFile(QFile& file, const QString& path);
