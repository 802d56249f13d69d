#pragma once

#include <cstdint>

class clsMagicList;

// Shows entry `index` of the list as the wallpaper. On success the entry
// becomes the list's active one and the settings remember it; the time of
// the change is stamped when the caller asks for it, except when the same
// picture is shown again, and on a run's first display only when the
// list's schedule says a change is due. A picture that cannot be shown is
// reported and its entry offered for removal. An index equal to the count
// clears the desktop; other indexes outside the list do nothing.
void DisplayListEntry(clsMagicList& list, int16_t index, bool& stampTime);
void DisplayListEntry(clsMagicList& list, int16_t index, bool&& stampTime);
