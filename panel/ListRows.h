#pragma once

#include "engine/ListIndex.h"

#include <QList>
#include <QString>
#include <cstdint>

// The rows of the panel's list-name box: each shows a list's name and
// carries the number of that list's row in the index (from 1; 0 for a list
// the index does not hold). The panel finds a row's list only through that
// number, never through the row's position.
struct ListRow {
    QString text;
    int16_t itemData = 0;
};

// The row that stands for the open list: the row whose index entry is the
// list's file, else the first row whose name matches the list's name (blanks
// around it and letter case aside); -1 when none does. File paths compare
// exactly: two files whose names differ in case are two lists.
int matchingListRow(const QList<ListRow>& rows, const QString& name, const QString& path,
                    const QList<ListIndexEntry>& index, int16_t indexCount);

// The index row of a list: the row of its file, else the first row of its
// name exactly; 0 when there is none.
int16_t indexRowOf(const QString& name, const QString& path, const QList<ListIndexEntry>& index,
                   int16_t indexCount);
