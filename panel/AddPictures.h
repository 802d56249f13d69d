#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class PanelViews;
class QMimeData;

// The ways pictures come into the active list: the file dialog, files
// dropped on the control panel's entry list or on the drop window, and the
// sample pictures. None of them saves the list file (the samples make an
// entry active, which does). Each does nothing while long work runs.
//
// Every file goes through GetImageFolderName, which copies pictures from a
// CD, a removable drive or the browser's cache into the private list folder.
// Files the list refuses (a folder, a file that is gone, a full list) are
// reported together in one message at the end, naming the first ten and
// counting the rest; a copy that fails ends the adding and is reported with
// them. Entries added before a failure stay.

// The file dialog's title and filter, as the program passes them.
QString pictureDialogTitle();
QString pictureDialogFilter();

// The local files of a drag's data (text/uri-list) in their order; remote
// addresses are left out.
QStringList droppedFiles(const QMimeData* data);
// Whether the drag brings at least one local file.
bool bringsFiles(const QMimeData* data);

// The Add button and "Insert a New Wallpaper": the chosen pictures are
// appended and selected, the entries selected before stay selected; then
// the panel stores the list and refills (StoreActiveList), takes the focus
// to its entry list and updates its selection state. A cancelled dialog
// does nothing; a chosen file that is no picture gives the dialog's
// message and adds nothing.
void addImageFiles(PanelViews& views);

// Files dropped on the entry list, on the item whose entry index is
// `dropIndex` (-1 for no item). Only the dropped entries end up selected.
// When any was added to a list that had entries and the drop fell on an
// entry after the first, they move in front of that entry in drop order;
// otherwise they stay at the end. Then the panel refills, takes the focus
// to its entry list and updates its selection state.
void dropOnEntryList(PanelViews& views, const QStringList& files, int16_t dropIndex);

// The offer for an empty list (when the settings allow it): the entry list
// is emptied and the empty-list dialog asked; 0 opens the file dialog, 2
// turns the drop window on, 3 adds the sample pictures, anything else does
// nothing. The caller refills its entry list afterwards.
void getSomeFiles(PanelViews& views);

// The first 100 files of the samples folder ("Samples" in the public
// pictures folder), in name order. When the list then has entries, the
// first becomes the active one, alone selected, and the preview shows it.
void addSampleImages(PanelViews& views);

// Files dropped on the drop window. A single file is named first when the
// settings ask for it (frmRename; a cancel only skips the naming): the name
// becomes the entry's name and the copy's file name. The dropped entries
// are selected, the others not; with MakeDroppedActive the first one added
// is shown as the wallpaper. An open control panel is refreshed after
// every drop.
void collectDroppedFiles(const QStringList& files);
