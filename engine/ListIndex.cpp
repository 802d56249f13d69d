#include "engine/ListIndex.h"

QList<ListIndexEntry> ListIndexEntries;
int16_t ListIndexCount = 0;

void BuildMagicListIndex() {}
