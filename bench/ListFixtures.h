#pragma once

#include "engine/MagicList.h"
#include "engine/MagicListDuplicates.h"

#include <QFile>
#include <QString>
#include <benchmark/benchmark.h>

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

// Times the duplicate search on a fresh copy of the list each round, and
// reports how many entries were left and how often it read the pictures.
inline void timeRemoveDuplicates(benchmark::State& state, const clsMagicList& original) {
    int16_t left = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clsMagicList list = original;
        state.ResumeTiming();
        list.RemoveDuplicates();
        left = list.GetCount();
    }
    const DuplicateScanCounts counts = lastDuplicateScanCounts();
    state.counters["entries"] = original.GetCount();
    state.counters["left"] = left;
    state.counters["file_reads"] = counts.fileReads;
    state.counters["most_reads_of_one_file"] = counts.mostReadsOfOneFile;
}
