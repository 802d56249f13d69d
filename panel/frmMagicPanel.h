#pragma once

#include "panel/PaletteGeometry.h"

#include <QDateTime>
#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class EntryListModel;
class HeldSelection;
class PanelViews;
class DividerLine;
class PaletteCanvas;
class PreviewImage;
class QAction;
class QComboBox;
class QGroupBox;
class QItemSelection;
class QLabel;
class QMenu;
class QMimeData;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QTreeView;

// The control panel: the one window in which the user builds and edits
// Magic Lists. The left half names the open list and shows its entries;
// the right half previews the selection as the desktop will show it, with
// the placement, the background colour and the time of the next change.
//
// It works on the global list and keeps no copy of its entries: the entry
// list mirrors the list, and the entries' Selected flags are the selection
// every command acts on. At most one panel exists; the main form opens it
// and reaches it through RefreshMagicList while PanelLoaded is True.
//
// The commands on whole lists and the ways of adding pictures are shared
// functions (ListCommands.h, AddPictures.h) that call back into the panel
// through its views (PanelViews). While long work runs (ProgramIsBusy) the
// panel's commands and drops do nothing.
class frmMagicPanel final : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMagicPanel(QWidget* parent = nullptr);
    ~frmMagicPanel() override;

    // Form-level state.
    int16_t CurrentEntry = -1;    // the entry the preview shows
    int16_t SelectedCount = 0;    // how many entries are selected
    bool IgnoreListClick = false; // the panel itself changes cmbName's row
    QDateTime NextChangeTime;     // the next automatic change, as last computed

    // Controls, named as the form names them.
    QTimer* timMover;
    QTimer* Timer1;
    QPushButton* cmdClose;
    QGroupBox* Frame2;
    QLabel* Picture1;
    QLabel* lblNextUpdate;
    QPushButton* cmdSchedule;
    QPushButton* cmdRotate;
    QPushButton* cmdCrop;
    std::array<QRadioButton*, 4> optPosition;
    QWidget* picBackground;
    QLabel* lblBackground;
    QScrollBar* vsbBackgroundColors;
    QWidget* picBGHoler;
    PaletteCanvas* picBGColors;
    QPushButton* cmdCustom;
    PreviewImage* picImage;
    DividerLine* Line1;
    DividerLine* Line2;
    DividerLine* Line3;
    DividerLine* Line4;
    DividerLine* Line5;
    DividerLine* Line6;
    QLabel* Label3;
    QLabel* Label2;
    std::array<QLabel*, 2> Label8;
    QLabel* Label1;
    QLabel* Image1;
    QLabel* lblSize;
    QLabel* lblFullPath;
    QGroupBox* Frame1;
    QPushButton* cmdActivate;
    QPushButton* cmdNewEntry;
    QComboBox* cmbName;
    QPushButton* cmdRemovePaper;
    QPushButton* cmdEntryDown;
    QPushButton* cmdEntryUp;
    QTreeView* lvEntries;
    QLabel* Image3;

    // The menu bar.
    QMenu* mnuFile;
    QAction* mnuListNew;
    QAction* mnuListDelete;
    QAction* mnuListRename;
    QAction* mnuFileClose;
    QAction* mnuFileExit;
    QMenu* mnuList;
    QAction* mnuListOpen;
    QAction* mnuListRemove;
    QAction* mnuListActive;
    QAction* mnuListMoveUp;
    QAction* mnuListMoveDown;
    QAction* mnuRename;
    QAction* mnuListFindActive;
    QAction* mnuListSelectAll;
    QMenu* mnuTools;
    QAction* mnuToolsReceiver;
    QMenu* mnuRotateMenu;
    std::array<QAction*, 3> mnuRotate;
    QAction* mnuCropSelected;
    QAction* mnuListRemoveDups;
    QAction* mnuListShuffle;
    QAction* mnuFileOptions;
    QMenu* mnuHelp;
    QAction* mnuHelpContents;
    QAction* mnuHelpIndex;
    QAction* mnuHelpOverview;
    QAction* mnuWebSite;
    QAction* mnuUpdates;
    QAction* mnuHelpAbout;

    // Called by the main form after it changed the active list or its
    // active entry: only the active entry stays selected, and the views and
    // the menus follow the list.
    void RefreshMagicList();
    // The main form removed the last entry while the panel was open: the
    // views follow and the panel offers ways to fill the list, as a panel
    // opened on an empty list does.
    void offerToFillEmptyList();

    // The panel's procedures, which its commands share.
    void FillListNames();
    void StoreActiveList();
    void FillEntryList();
    void DeleteCurrentList();
    void UpdateNextChangeLabel(bool& unused);
    void GetSomeFiles();
    void BuildBackgroundColors();
    void DisplaySelectedEntry(bool& forceReload);
    void DisplaySelectedEntry(bool&& forceReload);
    void UpdateSelectionState();
    void ActivateSelectedEntry();
    void ApplyBackgroundColor(int32_t& color);
    int32_t GetContrastTextColor(int32_t color) const;

    // Event handlers.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void cmbName_Click();
    void cmdClose_Click();
    void cmdActivate_Click();
    void cmdCrop_Click();
    void cmdCustom_Click();
    void cmdEntryUp_MouseDown();
    void cmdEntryDown_MouseDown();
    void cmdEntryUp_MouseUp();
    void cmdEntryDown_MouseUp();
    void timMover_Timer();
    void mnuRename_Click();
    void mnuRotate_Click(int16_t Index);
    void cmdRotate_Click();
    void cmdRemovePaper_Click();
    void cmdSchedule_Click();
    void cmdNewEntry_Click();
    void optPosition_Click(int16_t Index);
    void Timer1_Timer();
    void picBGColors_MouseDown(Qt::MouseButton Button, double X, double Y);
    void vsbBackgroundColors_Scroll();
    void vsbBackgroundColors_Change();
    void mnuCropSelected_Click();
    void mnuListNew_Click();
    void mnuListDelete_Click();
    void mnuListRename_Click();
    void mnuListOpen_Click();
    void mnuListRemove_Click();
    void mnuListActive_Click();
    void mnuListMoveUp_Click();
    void mnuListMoveDown_Click();
    void mnuListFindActive_Click();
    void mnuListSelectAll_Click();
    void mnuTools_Click();
    void mnuToolsReceiver_Click();
    void mnuListRemoveDups_Click();
    void mnuListShuffle_Click();
    void mnuFileClose_Click();
    void mnuFileExit_Click();
    void mnuFileOptions_Click();
    void mnuHelpContents_Click();
    void mnuHelpIndex_Click();
    void mnuHelpOverview_Click();
    void mnuWebSite_Click();
    void mnuUpdates_Click();
    void mnuHelpAbout_Click();
    // A drag over the entry list: taken when it brings files and no long
    // work runs. A drop adds the files in front of the entry under `at`.
    bool lvEntries_OLEDragOver(const QMimeData* data);
    void lvEntries_OLEDragDrop(const QMimeData* data, const QPoint& at);

    // The direction of the move timer ("UP" or "DOWN").
    QString timMoverTag;

    // What tests and benchmarks watch: how many previews were rendered, and
    // whether one waits to be drawn.
    int previewRenders() const { return previewRenders_; }
    bool previewPending() const { return pendingPreview_ >= 0; }
    // Renders a preview that waits for the event queue to be idle now.
    void finishPendingPreview();
    // The layout of the palette as it was built.
    const PaletteLayout& paletteLayoutBuilt() const { return palette_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The panel as the shared list commands see it.
    class Views;
    std::unique_ptr<PanelViews> makeViews();

    void buildControls();
    void buildLeftHalf();
    void buildRightHalf();
    void buildMenus();
    void connectHandlers();
    void enableWindowCommands();
    void sizeWindow();
    // The steps of loading that follow the first show: the empty-list offer
    // and the first activation's overview.
    void finishLoading();

    // The views over the list.
    void selectOpenListRow();
    void applySelectionToView();
    void lvEntries_SelectionChanged();
    void updateSelectionMenus();
    // Whether a command may act after waiting for the user: the panel is
    // still open and the selection it holds has not changed meanwhile; when
    // it has, the views show the list as it is now.
    bool selectionKept(const HeldSelection& held);
    void refreshViews();

    // The preview.
    void showSelection(bool forceReload, bool deferRender);
    void schedulePreview(int16_t entry);
    void renderPreview(int16_t entry);
    void previewFailed(int16_t entry, const QString& path, int32_t code);
    // The path caption: the long form of the path, shortened to fit.
    void showPathCaption(const QString& path);
    void clearPreview();
    // Shows entry `index` as the wallpaper, as Activate and OK do; nothing
    // on an empty list.
    void activateEntry(int16_t index);

    // Moves and rotations.
    void startMover(const QString& direction, int interval);
    void stopMover();
    void rotateSelection(int quarterTurns);

    QList<int32_t> paletteColours() const;

    EntryListModel* entries_;
    std::unique_ptr<PanelViews> views_;
    PaletteLayout palette_;
    bool loaded_ = false;
    bool loadFinished_ = false;
    bool fillGuard_ = false;
    bool selectionBusy_ = false;
    bool moverBusy_ = false;
    bool switchingList_ = false;
    bool rendering_ = false;
    int16_t pendingPreview_ = -1;
    bool previewQueued_ = false;
    int previewRenders_ = 0;
};
