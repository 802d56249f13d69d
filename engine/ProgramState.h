#pragma once

#include "engine/BackgroundColors.h"
#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/RunFlags.h"
#include "engine/WallpaperImage.h"

#include <QString>
#include <cstdint>

// Everything the program keeps for the whole run, in one place: the list
// it works on, the settings, the index of list files, the resident main
// form's flags, and the flags of this run. The windows' own part (the main
// form, the drop window) is kept in gui/MainForm.h.
// resetProgramState() puts all of it back as a fresh process has it; the
// tests call it so that none depends on what another left behind.

// The list the program works on.
extern clsMagicList ActiveMagicList;
// The program-wide settings, loaded at start and saved at exit.
extern OptionsRecord Options;
// The help the Help commands open: the contents page of the help folder
// beside the program. Empty when the program has no help.
extern QString ProgramHelpFile;
// The preset background colours, made afresh by each start.
extern clsBackGroundColors BackgroundColors;
// Rows are numbered from 1: ListIndexEntries[1] .. ListIndexEntries[ListIndexCount].
// Element 0 is never used. After a rebuild the index holds at least one row.
extern QList<ListIndexEntry> ListIndexEntries;
extern int16_t ListIndexCount;
// What is on the desktop as far as this run knows.
extern CurrentWallpaperRecord CurrentWallpaper;
// The size of the picture last loaded for rendering.
extern int32_t LoadedImageWidth;
extern int32_t LoadedImageHeight;

// True while a control panel is loaded; the panel keeps it.
extern bool PanelLoaded;
// The screen's colour depth in bits per pixel, noted by the control panel
// when it loads and read by the colour picker.
extern int16_t ColorDepth;
// 1 connected; -1 not connected, but a connection is configured; 0 not
// connected and none configured; 2 connected by the update window.
extern int32_t InternetState;
// The connection the update window dialled, kept to hang it up again.
extern int32_t DialConnection;
// The name of the default connection as last reported; "" until asked.
extern QString ConnectionName;

// How many long pieces of work are running now (see ProgramBusy.h); while
// it is above 0 nothing else may change the list.
extern int BusyWorkDepth;

// Puts every piece of program state back as a new process has it, the
// windows' part included once the windows' library has said how
// (setWindowStateReset).
void resetProgramState();
// How the windows put their part of the program state back.
void setWindowStateReset(void (*reset)());
