#include "engine/ListIndex.h"

#include "engine/DisplayEntry.h"
#include "engine/FileRoutines.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramBusy.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"

#include <QDir>
#include <memory>

namespace {

// The list files of one folder, by name, as the original file system
// listed them. Hidden and special files are not lists.
QStringList listFilesIn(const QString& folder) {
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    const QStringList filter{QStringLiteral("*.") + Options.ListExtension};
    return dir.entryList(filter, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

} // namespace

void BuildMagicListIndex() {
    ListIndexEntries = {ListIndexEntry{}, ListIndexEntry{}};
    ListIndexCount = 0;
    // One scratch list reads every file, so the active list is never touched.
    static std::unique_ptr<clsMagicList> scratch;
    if (!scratch)
        scratch = std::make_unique<clsMagicList>();
    for (const QString& folder : {Options.PublicMagicListPath, Options.PrivateMagicListPath}) {
        for (const QString& name : listFilesIn(folder)) {
            // A damaged file is left out; the user did not ask to open it.
            if (scratch->loadQuietly(withSlash(folder) + name) != 0)
                continue;
            if (ListIndexCount == INT16_MAX)
                return;
            ++ListIndexCount;
            const ListIndexEntry row{scratch->GetListName(), scratch->GetFilePath()};
            if (ListIndexCount == 1)
                ListIndexEntries[1] = row;
            else
                ListIndexEntries.append(row);
        }
    }
    if (ListIndexCount == 0) {
        // A first run: the default list goes to disk so there is one to pick.
        ActiveMagicList.Save();
        ListIndexCount = 1;
        ListIndexEntries[1] =
            ListIndexEntry{ActiveMagicList.GetListName(), ActiveMagicList.GetFilePath()};
    }
}

void SelectAnotherMagicList() {
    if (ProgramIsBusy())
        return;
    // Changes made since the last save (drops, the panel's edits) would be
    // lost with the load, even when the same list is chosen again.
    ActiveMagicList.Save();
    BuildMagicListIndex();
    ListPickerFields picker;
    programWindows().runListPicker(picker);
    if (picker.Cancelled || ProgramIsBusy())
        return;
    const int16_t n = picker.PickedListNumber;
    if (n < 1 || n > ListIndexCount)
        return;
    if (loadListWhole(ActiveMagicList, ListIndexEntries[n].ListPath) != 0)
        return;
    DisplayListEntry(ActiveMagicList, ActiveMagicList.GetActiveEntry(), true);
}
