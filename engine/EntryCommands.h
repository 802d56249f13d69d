#pragma once

#include "engine/Windows.h"

#include <QString>
#include <cstdint>

class clsMagicList;

// Commands on one entry that the tray and the control panel share.

// Whether entry `index` is still there and still shows the picture at
// `path`. Modal windows keep the timer and the tray running, so a command
// that waited for the user checks this before it changes the entry.
bool isSameEntry(const clsMagicList& list, int16_t index, const QString& path);

// What the crop dialog is opened with for entry `index`: its crop and, only
// when it has one, its background colour; its rotation and picture.
CropRequest cropRequestFor(const clsMagicList& list, int16_t index);

enum class CropOutcome {
    Applied,   // the entry has the new crop (not yet saved)
    Cancelled, // the user cancelled; nothing changed
    EntryGone, // the entry changed while the dialog was open; nothing changed
    TooLarge,  // a value does not fit the entry; reported, nothing changed
};

// Stores the dialog's answer in the entry the request was made for, if it
// still is that entry and the values fit its 16-bit fields; a value that
// does not fit is reported with the runtime's "Overflow" text.
CropOutcome applyCropAnswer(clsMagicList& list, int16_t index, const CropRequest& request,
                            const CropAnswer& answer);

// Opens the crop dialog on entry `index` and applies its answer.
CropOutcome cropEntry(clsMagicList& list, int16_t index);

// Turns the entry clockwise by a number of quarter turns (3 is a turn
// counter-clockwise); its crop turns with it.
void rotateEntryQuarterTurns(clsMagicList& list, int16_t index, int quarterTurns);
