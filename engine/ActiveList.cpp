#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"

void LoadActiveMagicList() {}
