#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"

void LoadActiveMagicList() {
    const int16_t result = ActiveMagicList.Load(Options.ActiveList);
    if (result != 0 && ListIndexCount >= 1)
        ActiveMagicList.Load(ListIndexEntries[1].ListPath);
}
