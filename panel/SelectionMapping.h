#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <utility>

class clsMagicList;

// The entries' Selected flags are the selection every panel command acts
// on; the entry list shows them.

// The selected entries as runs of neighbours, each from its first to its
// last index: what the entry list selects in one step.
QList<std::pair<int, int>> selectedRuns(const clsMagicList& list);

// The indexes of the selected entries, in order.
QList<int16_t> selectedEntries(const clsMagicList& list);

// The selection a command works on while it waits for the user. The
// minute timer and the tray keep running while a question or a dialog is
// open, and may change the list, its entries or which of them are
// selected; the command acts afterwards only if none of that happened.
class HeldSelection {
public:
    static HeldSelection of(const clsMagicList& list);

    bool isEmpty() const { return entries_.isEmpty(); }
    // The held entries' indexes, in order.
    QList<int16_t> indexes() const;
    // Whether the list is the same file with the same entries selected,
    // each still showing the same picture.
    bool isUnchanged(const clsMagicList& list) const;

private:
    QString listFile_;
    QList<std::pair<int16_t, QString>> entries_;
};
