#include "panel/EntryMoves.h"

#include "engine/MagicList.h"

bool moveSelectedEntries(clsMagicList& list, const QString& direction) {
    const QString d = direction.toUpper();
    const int16_t n = list.GetCount();
    bool moved = false;
    if (d == QStringLiteral("DOWN")) {
        // Walking from the bottom: an unselected entry seen below stays
        // below every selected one met later, wherever it moves.
        bool unselectedBelow = false;
        for (int16_t i = static_cast<int16_t>(n - 1); i >= 0; --i) {
            if (!list.GetEntrySelected(i)) {
                unselectedBelow = true;
                continue;
            }
            if (unselectedBelow) {
                list.MoveItem(i, static_cast<int16_t>(i + 1));
                moved = true;
            }
        }
    } else if (d == QStringLiteral("UP")) {
        bool unselectedAbove = false;
        for (int16_t i = 0; i < n; ++i) {
            if (!list.GetEntrySelected(i)) {
                unselectedAbove = true;
                continue;
            }
            if (unselectedAbove) {
                list.MoveItem(i, static_cast<int16_t>(i - 1));
                moved = true;
            }
        }
    }
    return moved;
}

bool moverStep(clsMagicList& list, const QString& direction, int16_t& currentEntry) {
    // The flag is kept in the list file: an old mark must never win.
    list.ClearFlags(1);
    if (currentEntry >= 0 && currentEntry < list.GetCount())
        list.SetFlag(currentEntry, 1, 1);
    if (!moveSelectedEntries(list, direction))
        return false;
    for (int16_t i = 0; i < list.GetCount(); ++i) {
        if (list.getFlag(i, 1) == 1) {
            currentEntry = i;
            break;
        }
    }
    return true;
}

int nextMoverInterval(int interval) {
    switch (interval) {
    case 1:
        return 0;
    case 10:
        return 700;
    default:
        return 75;
    }
}
