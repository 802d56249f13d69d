#pragma once

#include <QString>
#include <cstdint>

class clsMagicList;

// Moving the selected entries of a list one place, as the panel's up and
// down buttons and menu items do.

// Moves every selected entry one place "UP" or "DOWN" (any letter case)
// where an unselected entry lies anywhere beyond it in that direction, so
// a block of selected entries keeps together and stops at the end of the
// list, and gaps between selected entries close up. Any other direction
// moves nothing. Returns whether anything moved.
bool moveSelectedEntries(clsMagicList& list, const QString& direction);

// One step of the mover: marks `currentEntry` with flag 1 (the flag is
// cleared on every other entry, and set only on an entry that exists),
// moves the selection, and when anything moved lets `currentEntry` follow
// its picture. It stays as it was when no entry carries the flag.
bool moverStep(clsMagicList& list, const QString& direction, int16_t& currentEntry);

// The auto-repeat of the move buttons: the first step at once (10 ms), a
// pause before repeating (700 ms), then a step every 75 ms. Interval 1 is a
// single step from the menu: 0 is returned, which ends it.
int nextMoverInterval(int interval);
