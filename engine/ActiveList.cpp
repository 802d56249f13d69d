#include "engine/ErrorWindow.h"
#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "runtime/RuntimeError.h"

#include <utility>

int16_t loadListWhole(clsMagicList& list, const QString& path) {
    if (list.IsBusy())
        return -1;
    clsMagicList scratch;
    const int16_t result = scratch.Load(path);
    if (result == 0) {
        list = std::move(scratch);
        return 0;
    }
    // Read failures are reported by Load itself; a file that can't be
    // opened is not.
    if (result == -vberr::PathNotFound)
        ShowErrorMessage(standardErrorText(vberr::PathNotFound) + QStringLiteral("\r\n") + path, 0,
                         QString());
    return result;
}

void LoadActiveMagicList() {
    const int16_t result = ActiveMagicList.Load(Options.ActiveList);
    if (result != 0 && ListIndexCount >= 1)
        ActiveMagicList.Load(ListIndexEntries[1].ListPath);
}
