#include "panel/SelectionMapping.h"

#include "engine/MagicList.h"

QList<std::pair<int, int>> selectedRuns(const clsMagicList& list) {
    QList<std::pair<int, int>> runs;
    const int n = list.GetCount();
    int first = -1;
    for (int i = 0; i <= n; ++i) {
        const bool selected = i < n && list.GetEntrySelected(static_cast<int16_t>(i));
        if (selected && first < 0)
            first = i;
        else if (!selected && first >= 0) {
            runs.append({first, i - 1});
            first = -1;
        }
    }
    return runs;
}

QList<int16_t> selectedEntries(const clsMagicList& list) {
    QList<int16_t> out;
    for (int16_t i = 0; i < list.GetCount(); ++i) {
        if (list.GetEntrySelected(i))
            out.append(i);
    }
    return out;
}

HeldSelection HeldSelection::of(const clsMagicList& list) {
    HeldSelection held;
    held.listFile_ = list.GetFilePath();
    for (int16_t i : selectedEntries(list))
        held.entries_.append({i, list.GetEntryPath(i)});
    return held;
}

QList<int16_t> HeldSelection::indexes() const {
    QList<int16_t> out;
    for (const auto& [index, path] : entries_)
        out.append(index);
    return out;
}

bool HeldSelection::isUnchanged(const clsMagicList& list) const {
    if (list.IsBusy() || list.GetFilePath() != listFile_)
        return false;
    if (selectedEntries(list) != indexes())
        return false;
    for (const auto& [index, path] : entries_) {
        if (list.GetEntryPath(index) != path)
            return false;
    }
    return true;
}
