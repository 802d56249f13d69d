#pragma once

#include <QString>

// Which picture files a list may delete. Only the program's own copies of
// pictures qualify: files whose real location (links and ".." resolved)
// lies inside the private list folder.

// The file's real path, or "" when it does not exist.
QString realPathOf(const QString& path);
// The real path of a file inside the private list folder, or "" for any
// other file (and when that folder is not set or does not exist).
QString privateCopyRealPath(const QString& path);
// Deletes the file; a file that cannot go (missing, locked, read-only)
// stays without a word.
void removePictureQuietly(const QString& path);
