#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// One list file found in the list folders.
struct ListIndexEntry {
    QString ListName; // the name stored inside the file
    QString ListPath; // the file's full path
};

// Rows are numbered from 1: ListIndexEntries[1] .. ListIndexEntries[ListIndexCount].
// Element 0 is never used. After a rebuild the index holds at least one row.
extern QList<ListIndexEntry> ListIndexEntries;
extern int16_t ListIndexCount;

// Rebuilds the index from the public list folder, then the private one.
// Files that do not load are left out without a message. When no list is
// found the active list is saved and becomes the only row.
void BuildMagicListIndex();
