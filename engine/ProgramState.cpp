#include "engine/ProgramState.h"

#include "engine/Windows.h"

clsMagicList ActiveMagicList;
OptionsRecord Options;
QString ProgramHelpFile;
clsBackGroundColors BackgroundColors;
// Row 0 is never used; row 1 exists even while the index is empty.
QList<ListIndexEntry> ListIndexEntries{ListIndexEntry{}, ListIndexEntry{}};
int16_t ListIndexCount = 0;
CurrentWallpaperRecord CurrentWallpaper;
int32_t LoadedImageWidth = 0;
int32_t LoadedImageHeight = 0;

bool PanelLoaded = false;
int16_t ColorDepth = 0;
int32_t InternetState = 0;
int32_t DialConnection = 0;
QString ConnectionName;
int BusyWorkDepth = 0;

RunFlags ThisRun;

namespace {
void (*windowStateReset)() = nullptr;
} // namespace

void setWindowStateReset(void (*reset)()) {
    windowStateReset = reset;
}

void resetProgramState() {
    ActiveMagicList = clsMagicList();
    Options = OptionsRecord{};
    ProgramHelpFile.clear();
    BackgroundColors = clsBackGroundColors();
    ListIndexEntries = {ListIndexEntry{}, ListIndexEntry{}};
    ListIndexCount = 0;
    CurrentWallpaper = CurrentWallpaperRecord{};
    LoadedImageWidth = 0;
    LoadedImageHeight = 0;

    if (windowStateReset)
        windowStateReset();
    PanelLoaded = false;
    ColorDepth = 0;
    InternetState = 0;
    DialConnection = 0;
    ConnectionName.clear();
    BusyWorkDepth = 0;
    setProgramWindows(nullptr);

    ThisRun = RunFlags{};
}
