#pragma once

#include <QString>

class PanelViews;

// The control panel's commands on whole Magic Lists and on the open list's
// order and selection. Each acts on the active list and then has the panel
// refill its views. Each does nothing while long work runs; the ones that
// ask first go on only when the open list is still the one they asked
// about (the tray may switch lists while a question is open).
//
// A limited user is one who may not write in the program's folder
// (HasWriteAccess): such a user can't delete or edit public lists, and
// every list such a user creates is private.

// "Create a New Magic List": the open list is saved, the new list's name
// asked for; it is written to a new file, the index rebuilt, and the empty
// list offered pictures (getSomeFiles). A new list whose file can't be
// written is reported and the open list stays.
void newMagicList(PanelViews& views);

// "Delete Current Magic List": after the question, the panel's
// DeleteCurrentList.
void deleteMagicList(PanelViews& views);

// "Edit/Rename Current Magic List": a new name and the public flag. A list
// that changes folders is saved in the new one first and its old file
// deleted only after that; when the save fails the list keeps its name,
// file and folder. The index row of the list-name box's current row is
// patched in place (found by its number; an unknown row rebuilds the
// index), and "ActiveList" names the list's file afterwards.
void renameMagicList(PanelViews& views);

// "Remove Duplicate Wallpapers" and "Shuffle Wallpaper List", after their
// questions. The preview keeps showing the entry it showed (the active
// entry when that one was removed as a duplicate).
void removeDuplicateEntries(PanelViews& views);
void shuffleEntries(PanelViews& views);

// "Select Active Wallpaper" and "Select All Wallpapers".
void selectActiveEntry(PanelViews& views);
void selectAllEntries(PanelViews& views);

// The Tools menu's drop-window item: its caption as the menu opens, and
// the command that turns the window on or off.
QString toolsReceiverCaption();
void toggleDropWindow();

// "Tapestrel Web Site": the project's web address in the user's browser.
void openWebSite();
