#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// One list file found in the list folders.
struct ListIndexEntry {
    QString ListName; // the name stored inside the file
    QString ListPath; // the file's full path
};

// The index itself, ListIndexEntries and ListIndexCount, is program state.

// Rebuilds the index from the public list folder, then the private one.
// Files that do not load are left out without a message. When no list is
// found the active list is saved and becomes the only row.
void BuildMagicListIndex();

// Lets the user pick one of the indexed lists and makes it the active list:
// the active list is saved first, the index rebuilt, the picker shown; the
// chosen list is loaded only when the whole file loads (otherwise the
// failure is reported and the active list stays), and its active entry is
// shown. Does nothing while long work runs.
void SelectAnotherMagicList();
