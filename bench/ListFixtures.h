#pragma once

#include "engine/MagicList.h"

#include <QFile>
#include <QString>

// Fills a list with `count` entries whose paths look like a camera folder's.
// Only the first picture has to exist: the rest are renamed in place, so a
// large list is made without touching the disk for every entry.
inline void fillList(clsMagicList& list, const QString& picture, int count) {
    list.ClearList();
    list.SetListName(QStringLiteral("Holiday pictures"));
    for (int i = 0; i < count; ++i) {
        const int16_t index = list.AddItem(picture, 0x00804020, 4);
        if (index < 0)
            return;
        if (i > 0) {
            list.SetEntryPath(index,
                              QStringLiteral("/home/someone/Pictures/Holiday 2026/IMG_%1.jpg")
                                  .arg(i, 5, 10, QLatin1Char('0')));
            list.SetEntryName(index, QStringLiteral("IMG_%1").arg(i, 5, 10, QLatin1Char('0')));
        }
    }
}
