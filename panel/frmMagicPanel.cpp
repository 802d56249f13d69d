#include "panel/frmMagicPanel.h"

#include "engine/BusyPointer.h"
#include "engine/ErrorWindow.h"
#include "engine/INIFuncs.h"
#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "gui/FormHelpers.h"
#include "gui/forms/FormKit.h"
#include "panel/Countdown.h"
#include "panel/EntryListModel.h"
#include "panel/ListRows.h"
#include "panel/PanelResources.h"
#include "panel/PanelViews.h"
#include "panel/PanelWidgets.h"
#include "panel/SelectionMapping.h"
#include "platform/Clock.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "runtime/Dates.h"
#include "runtime/RuntimeError.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kHelpContext = 1;

// The list column: narrower once the list holds enough entries to need a
// scroll bar.
constexpr int kColumnWide = 2835;
constexpr int kColumnNarrow = 2590;
constexpr int kRowsBeforeScrolling = 16;

using kit::place;

// A button that shows one of the panel's pictures, 480 twips square.
QPushButton* pictureButton(QWidget* parent, const char* name, const char* tip, int left, int top) {
    QPushButton* b = kit::pictureButton(parent, name, panelPicture(QString::fromLatin1(name)),
                                        QString::fromLatin1(tip));
    b->setIconSize(QSize(24, 24));
    place(b, left, top, 480, 480);
    return b;
}

QPixmap picturePixmap(const QString& name, QSize size) {
    const QIcon icon = panelPicture(name);
    return icon.pixmap(size, qApp ? qApp->devicePixelRatio() : 1.0);
}

} // namespace

frmMagicPanel::frmMagicPanel(QWidget* parent)
    : QMainWindow(parent), entries_(new EntryListModel(ActiveMagicList, this)),
      views_(makeViews()) {
    kit::initForm(this, "frmMagicPanel", QStringLiteral("Tapestrel Control Panel"), kHelpContext);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    connectHandlers();
    enableWindowCommands();
}

frmMagicPanel::~frmMagicPanel() {
    if (loaded_)
        Form_Unload();
}

// ---------------------------------------------------------------------------
// Controls and layout

void frmMagicPanel::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);

    timMover = new QTimer(this);
    timMover->setObjectName(QStringLiteral("timMover"));
    timMover->setTimerType(Qt::PreciseTimer);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    Frame1 = kit::frame(central, "Frame1");
    Frame2 = kit::frame(central, "Frame2");
    place(Frame1, 120, 60, 3720, 5100);
    place(Frame2, 3960, 60, 4785, 5100);
    buildLeftHalf();
    buildRightHalf();
    central->setFixedSize(kit::px(8865), kit::pxY(5220));
}

void frmMagicPanel::buildLeftHalf() {
    Label1 = kit::label(Frame1, "Label1", QStringLiteral("Magic List:"));
    place(Label1, 120, 150, 3480, 270);
    cmbName = kit::comboBox(Frame1, "cmbName");
    place(cmbName, 120, 420, 3480, 360);

    lvEntries = kit::make<QTreeView>(Frame1, "lvEntries");
    lvEntries->setModel(entries_);
    lvEntries->setRootIsDecorated(false);
    lvEntries->setItemsExpandable(false);
    lvEntries->setUniformRowHeights(true);
    lvEntries->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvEntries->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvEntries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvEntries->setContextMenuPolicy(Qt::CustomContextMenu);
    // Files dropped from the desktop's file managers; the list's own items
    // are never dragged.
    lvEntries->setDragDropMode(QAbstractItemView::DropOnly);
    lvEntries->setAcceptDrops(true);
    lvEntries->viewport()->setAcceptDrops(true);
    lvEntries->viewport()->installEventFilter(this);
    lvEntries->header()->setStretchLastSection(false);
    lvEntries->header()->setSectionsMovable(false);
    lvEntries->header()->resizeSection(0, kit::px(kColumnWide));
    place(lvEntries, 120, 870, 2940, 4110);

    cmdNewEntry = pictureButton(Frame1, "cmdNewEntry", "Add images to your list", 3120, 870);
    cmdRemovePaper =
        pictureButton(Frame1, "cmdRemovePaper", "Remove entires from your list", 3120, 1440);
    cmdEntryUp = pictureButton(Frame1, "cmdEntryUp", "Move entries up", 3120, 2010);
    cmdEntryDown = pictureButton(Frame1, "cmdEntryDown", "Move Entries Down", 3120, 2580);
    cmdActivate = pictureButton(Frame1, "cmdActivate", "Activate current selection", 3120, 3150);
    Image3 = kit::picture(Frame1, "Image3");
    place(Image3, 3120, 3840, 480, 1080);
    Image3->setPixmap(picturePixmap(QStringLiteral("Image3"), Image3->size()));
}

void frmMagicPanel::buildRightHalf() {
    Image1 = kit::picture(Frame2, "Image1");
    place(Image1, 120, 90, 2640, 2250);
    Image1->setPixmap(picturePixmap(QStringLiteral("Image1"), Image1->size()));
    picImage = kit::make<PreviewImage>(Frame2, "picImage");

    Label2 = kit::label(Frame2, "Label2", QStringLiteral("Position:"));
    place(Label2, 2880, 90, 1785, 270);
    const char* const names[] = {"optPosition(0)", "optPosition(1)", "optPosition(2)",
                                 "optPosition(3)"};
    const char* const captions[] = {"&Tile", "&Center", "&Stretch", "&Best Fit"};
    for (int i = 0; i < 4; ++i) {
        optPosition[i] = kit::option(Frame2, names[i], QString::fromLatin1(captions[i]));
        place(optPosition[i], 2880, 390 + i * 300, 1785, 300);
    }
    picBackground = kit::make<QWidget>(Frame2, "picBackground");
    picBackground->setAutoFillBackground(true);
    place(picBackground, 2880, 1650, 1785, 450);
    lblBackground = kit::label(picBackground, "lblBackground", QStringLiteral("Background Color"));
    lblBackground->setAlignment(Qt::AlignCenter);
    lblBackground->setGeometry(picBackground->rect());

    Label8[0] = kit::label(Frame2, "Label8(0)", QStringLiteral("Path:"));
    place(Label8[0], 120, 2370, 600, 240);
    lblFullPath = kit::label(Frame2, "lblFullPath");
    place(lblFullPath, 720, 2370, 3945, 240);
    Label8[1] = kit::label(Frame2, "Label8(1)", QStringLiteral("Size:"));
    place(Label8[1], 120, 2610, 600, 240);
    lblSize = kit::label(Frame2, "lblSize");
    place(lblSize, 720, 2610, 3945, 240);

    // The dividers are laid out when the form loads; their light edges.
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    Line1 = new DividerLine(Frame2, "Line1", dark);
    Line2 = new DividerLine(Frame2, "Line2", light);
    Line3 = new DividerLine(Frame2, "Line3", dark);
    Line4 = new DividerLine(Frame2, "Line4", light);
    Line5 = new DividerLine(Frame2, "Line5", dark);
    Line6 = new DividerLine(Frame2, "Line6", light);

    Label3 = kit::label(Frame2, "Label3", QStringLiteral("Next Automatic Update:"));
    place(Label3, 1860, 2940, 2805, 240);
    lblNextUpdate = kit::label(Frame2, "lblNextUpdate");
    place(lblNextUpdate, 1860, 3450, 1320, 240);
    cmdSchedule = pictureButton(Frame2, "cmdSchedule", "Schedule Automatic Changes", 3210, 3330);
    cmdRotate =
        pictureButton(Frame2, "cmdRotate", "Rotate the current selection 90 degrees", 3720, 3330);
    cmdCrop =
        pictureButton(Frame2, "cmdCrop", "Choose an area of the selected wallpaper", 4230, 3330);

    picBGHoler = kit::make<QWidget>(Frame2, "picBGHoler");
    place(picBGHoler, 120, 2940, 1320, 2040);
    picBGColors = kit::make<PaletteCanvas>(picBGHoler, "picBGColors");
    cmdCustom = kit::button(picBGColors, "cmdCustom", QStringLiteral("Custom"));
    vsbBackgroundColors = kit::make<QScrollBar>(Frame2, "vsbBackgroundColors", Qt::Vertical);
    place(vsbBackgroundColors, 1440, 2940, 240, 2040);

    Picture1 = kit::picture(Frame2, "Picture1");
    place(Picture1, 1860, 4050, 1320, 600);
    Picture1->setPixmap(picturePixmap(QStringLiteral("Picture1"), Picture1->size()));
    cmdClose = kit::button(Frame2, "cmdClose", QStringLiteral("OK"));
    place(cmdClose, 3330, 4470, 1350, 450);
}

void frmMagicPanel::buildMenus() {
    using kit::menuItem;
    using kit::menuSeparator;
    QMenuBar* bar = menuBar();

    mnuFile = kit::menu(bar, "mnuFile", QStringLiteral("&File"));
    mnuListNew = menuItem(mnuFile, "mnuListNew", QStringLiteral("Create a &New Magic List"));
    mnuListDelete =
        menuItem(mnuFile, "mnuListDelete", QStringLiteral("&Delete Current Magic List"));
    mnuListRename =
        menuItem(mnuFile, "mnuListRename", QStringLiteral("&Edit/Rename Current Magic List"));
    menuSeparator(mnuFile, "mnuFileLine1");
    mnuFileClose = menuItem(mnuFile, "mnuFileClose", QStringLiteral("&Close the control panel"));
    menuSeparator(mnuFile, "mnuFileLine2");
    mnuFileExit = menuItem(mnuFile, "mnuFileExit", QStringLiteral("&Exit Tapestrel"));

    mnuList = kit::menu(bar, "mnuList", QStringLiteral("&Magic List"));
    mnuListOpen = menuItem(mnuList, "mnuListOpen", QStringLiteral("&Insert a New Wallpaper"),
                           QKeySequence(Qt::CTRL | Qt::Key_I));
    mnuListRemove = menuItem(mnuList, "mnuListRemove", QStringLiteral("&Remove Selected Wallpaper"),
                             QKeySequence(Qt::Key_Delete));
    mnuListActive =
        menuItem(mnuList, "mnuListActive", QStringLiteral("&Activate Current Selection"));
    mnuListMoveUp = menuItem(mnuList, "mnuListMoveUp", QStringLiteral("Move Selected &Up"),
                             QKeySequence(Qt::CTRL | Qt::Key_U));
    mnuListMoveDown = menuItem(mnuList, "mnuListMoveDown", QStringLiteral("Move Selected &Down"),
                               QKeySequence(Qt::CTRL | Qt::Key_D));
    menuSeparator(mnuList, "mnuListLine1");
    mnuRename = menuItem(mnuList, "mnuRename", QStringLiteral("Rename Selection"));
    menuSeparator(mnuList, "mnuListLine2");
    mnuListFindActive =
        menuItem(mnuList, "mnuListFindActive", QStringLiteral("&Select Active Wallpaper"),
                 QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuListSelectAll =
        menuItem(mnuList, "mnuListSelectAll", QStringLiteral("Select &All Wallpapers"),
                 QKeySequence(Qt::CTRL | Qt::Key_A));

    mnuTools = kit::menu(bar, "mnuTools", QStringLiteral("&Tools"));
    mnuToolsReceiver =
        menuItem(mnuTools, "mnuToolsReceiver", QStringLiteral("Turn &On Radur Eradeziro"));
    menuSeparator(mnuTools, "mnuToolsLine1");
    mnuRotateMenu =
        kit::subMenu(mnuTools, "mnuRotateMenu", QStringLiteral("&Rotate Selected Wallpaper"));
    mnuRotate[0] = menuItem(mnuRotateMenu, "mnuRotate(0)", QStringLiteral("&Clockwise"));
    mnuRotate[1] = menuItem(mnuRotateMenu, "mnuRotate(1)", QStringLiteral("C&ounter Clockwise"));
    mnuRotate[2] = menuItem(mnuRotateMenu, "mnuRotate(2)", QStringLiteral("&Flip It"));
    mnuCropSelected =
        menuItem(mnuTools, "mnuCropSelected", QStringLiteral("&Crop Selected Wallpaper"));
    menuSeparator(mnuTools, "mnuToolsLine2");
    mnuListRemoveDups =
        menuItem(mnuTools, "mnuListRemoveDups", QStringLiteral("&Remove Duplicate Wallpapers"));
    mnuListShuffle =
        menuItem(mnuTools, "mnuListShuffle", QStringLiteral("&Shuffle Wallpaper List"));
    menuSeparator(mnuTools, "mnuToolsLine3");
    mnuFileOptions = menuItem(mnuTools, "mnuFileOptions", QStringLiteral("&View Options"));

    mnuHelp = kit::menu(bar, "mnuHelp", QStringLiteral("&Help"));
    mnuHelpContents = menuItem(mnuHelp, "mnuHelpContents", QStringLiteral("Contents..."));
    mnuHelpIndex = menuItem(mnuHelp, "mnuHelpIndex", QStringLiteral("Index..."));
    menuSeparator(mnuHelp, "mnuHelpLine1");
    mnuHelpOverview = menuItem(mnuHelp, "mnuHelpOverview", QStringLiteral("Tapestrel Overview"));
    menuSeparator(mnuHelp, "mnuHelpLine2");
    mnuWebSite = menuItem(mnuHelp, "mnuWebSite", QStringLiteral("Tapestrel &Web Site"));
    mnuUpdates = menuItem(mnuHelp, "mnuUpdates", QStringLiteral("&Check for Software Updates"));
    menuSeparator(mnuHelp, "mnuHelpLine3");
    mnuHelpAbout = menuItem(mnuHelp, "mnuHelpAbout", QStringLiteral("About Tapestrel"));

    // The window's shortcuts work wherever the focus is in the panel.
    for (QMenu* m : {mnuFile, mnuList, mnuTools, mnuHelp})
        for (QAction* a : m->actions())
            a->setShortcutContext(Qt::WindowShortcut);
}

void frmMagicPanel::connectHandlers() {
    kit::on(Timer1, &QTimer::timeout, this, &frmMagicPanel::Timer1_Timer);
    kit::on(timMover, &QTimer::timeout, this, &frmMagicPanel::timMover_Timer);
    kit::on(cmbName, &QComboBox::activated, this, &frmMagicPanel::cmbName_Click);
    kit::on(cmdClose, &QPushButton::clicked, this, &frmMagicPanel::cmdClose_Click);
    kit::on(cmdActivate, &QPushButton::clicked, this, &frmMagicPanel::cmdActivate_Click);
    kit::on(cmdCrop, &QPushButton::clicked, this, &frmMagicPanel::cmdCrop_Click);
    kit::on(cmdCustom, &QPushButton::clicked, this, &frmMagicPanel::cmdCustom_Click);
    kit::on(cmdRotate, &QPushButton::clicked, this, &frmMagicPanel::cmdRotate_Click);
    kit::on(cmdRemovePaper, &QPushButton::clicked, this, &frmMagicPanel::cmdRemovePaper_Click);
    kit::on(cmdSchedule, &QPushButton::clicked, this, &frmMagicPanel::cmdSchedule_Click);
    kit::on(cmdNewEntry, &QPushButton::clicked, this, &frmMagicPanel::cmdNewEntry_Click);
    // The move buttons act while any mouse button holds them down.
    cmdEntryUp->installEventFilter(this);
    cmdEntryDown->installEventFilter(this);
    for (int16_t i = 0; i < 4; ++i) {
        // Only a click or a key of the user's changes the entries; a button
        // checked by the panel itself does not.
        kit::onCall(optPosition[i], &QRadioButton::clicked, this,
                    [this, i](bool) { optPosition_Click(i); });
    }
    kit::onCall(picBGColors, &PaletteCanvas::mouseDown, this,
                [this](Qt::MouseButton b, double x, double y) { picBGColors_MouseDown(b, x, y); });
    kit::on(vsbBackgroundColors, &QScrollBar::valueChanged, this,
            &frmMagicPanel::vsbBackgroundColors_Change);
    kit::on(vsbBackgroundColors, &QScrollBar::sliderMoved, this,
            &frmMagicPanel::vsbBackgroundColors_Scroll);
    connect(lvEntries->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { kit::guarded([this] { lvEntries_SelectionChanged(); }); });
    kit::onCall(lvEntries, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        mnuList->popup(lvEntries->viewport()->mapToGlobal(at));
    });

    kit::on(mnuListNew, &QAction::triggered, this, &frmMagicPanel::mnuListNew_Click);
    kit::on(mnuListDelete, &QAction::triggered, this, &frmMagicPanel::mnuListDelete_Click);
    kit::on(mnuListRename, &QAction::triggered, this, &frmMagicPanel::mnuListRename_Click);
    kit::on(mnuFileClose, &QAction::triggered, this, &frmMagicPanel::mnuFileClose_Click);
    kit::on(mnuFileExit, &QAction::triggered, this, &frmMagicPanel::mnuFileExit_Click);
    kit::on(mnuListOpen, &QAction::triggered, this, &frmMagicPanel::mnuListOpen_Click);
    kit::on(mnuListRemove, &QAction::triggered, this, &frmMagicPanel::mnuListRemove_Click);
    kit::on(mnuListActive, &QAction::triggered, this, &frmMagicPanel::mnuListActive_Click);
    kit::on(mnuListMoveUp, &QAction::triggered, this, &frmMagicPanel::mnuListMoveUp_Click);
    kit::on(mnuListMoveDown, &QAction::triggered, this, &frmMagicPanel::mnuListMoveDown_Click);
    kit::onCall(mnuRename, &QAction::triggered, this, [this](bool) {
        kit::guarded(QStringLiteral("Image Rename"), [this] { mnuRename_Click(); });
    });
    kit::on(mnuListFindActive, &QAction::triggered, this, &frmMagicPanel::mnuListFindActive_Click);
    kit::on(mnuListSelectAll, &QAction::triggered, this, &frmMagicPanel::mnuListSelectAll_Click);
    kit::on(mnuTools, &QMenu::aboutToShow, this, &frmMagicPanel::mnuTools_Click);
    kit::on(mnuToolsReceiver, &QAction::triggered, this, &frmMagicPanel::mnuToolsReceiver_Click);
    for (int16_t i = 0; i < 3; ++i)
        kit::onCall(mnuRotate[i], &QAction::triggered, this,
                    [this, i](bool) { mnuRotate_Click(i); });
    kit::on(mnuCropSelected, &QAction::triggered, this, &frmMagicPanel::mnuCropSelected_Click);
    kit::on(mnuListRemoveDups, &QAction::triggered, this, &frmMagicPanel::mnuListRemoveDups_Click);
    kit::on(mnuListShuffle, &QAction::triggered, this, &frmMagicPanel::mnuListShuffle_Click);
    kit::on(mnuFileOptions, &QAction::triggered, this, &frmMagicPanel::mnuFileOptions_Click);
    kit::on(mnuHelpContents, &QAction::triggered, this, &frmMagicPanel::mnuHelpContents_Click);
    kit::on(mnuHelpIndex, &QAction::triggered, this, &frmMagicPanel::mnuHelpIndex_Click);
    kit::on(mnuHelpOverview, &QAction::triggered, this, &frmMagicPanel::mnuHelpOverview_Click);
    kit::on(mnuWebSite, &QAction::triggered, this, &frmMagicPanel::mnuWebSite_Click);
    kit::on(mnuUpdates, &QAction::triggered, this, &frmMagicPanel::mnuUpdates_Click);
    kit::on(mnuHelpAbout, &QAction::triggered, this, &frmMagicPanel::mnuHelpAbout_Click);
}

void frmMagicPanel::enableWindowCommands() {
    // A command whose window the program lacks stays disabled; the
    // selection decides the rest (updateSelectionMenus).
    const ProgramWindows& w = programWindows();
    cmdCrop->setEnabled(w.has(LaterWindow::CropDialog));
    mnuCropSelected->setEnabled(w.has(LaterWindow::CropDialog));
    cmdCustom->setEnabled(w.has(LaterWindow::ColorPicker));
    cmdSchedule->setEnabled(w.has(LaterWindow::ScheduleDialog));
    mnuFileOptions->setEnabled(w.has(LaterWindow::OptionsDialog));
    mnuHelpOverview->setEnabled(w.has(LaterWindow::Overview));
    mnuHelpAbout->setEnabled(w.has(LaterWindow::AboutBox));
    mnuListNew->setEnabled(w.has(LaterWindow::ListNameDialog));
    mnuListRename->setEnabled(w.has(LaterWindow::ListNameDialog));
    mnuToolsReceiver->setEnabled(w.has(LaterWindow::DropWindow));
    mnuUpdates->setEnabled(w.has(LaterWindow::UpdateWindow));
    updateSelectionMenus();
}

void frmMagicPanel::sizeWindow() {
    // The width the panel has always had; the height holds the menu bar
    // and both halves.
    const int width = kit::px(8865);
    const int height = menuBar()->sizeHint().height() + centralWidget()->height();
    setFixedSize(width, height);
}

// ---------------------------------------------------------------------------
// Loading, activation and unloading

bool frmMagicPanel::event(QEvent* e) {
    // The activation may open the overview, a modal window. It runs after
    // the event has been handled, never inside it, and not as an event of
    // the panel's own: the panel can be closed and deleted while the
    // overview is up (OK, the tray's exit, a logout).
    if (e->type() == QEvent::WindowActivate && loadFinished_) {
        QMetaObject::invokeMethod(
            qApp,
            [panel = QPointer<frmMagicPanel>(this)] {
                if (panel)
                    kit::guarded([&] { panel->Form_Activate(); });
            },
            Qt::QueuedConnection);
    }
    if (e->type() == QEvent::WindowDeactivate && timMover->interval() != 1)
        stopMover();
    return QMainWindow::event(e);
}

void frmMagicPanel::showEvent(QShowEvent* e) {
    if (!loaded_) {
        kit::guarded([this] { Form_Load(); });
        // The rest of the load runs once the window is on the screen.
        QMetaObject::invokeMethod(
            this, [this] { kit::guarded([this] { finishLoading(); }); }, Qt::QueuedConnection);
    }
    QMainWindow::showEvent(e);
}

void frmMagicPanel::closeEvent(QCloseEvent* e) {
    if (loaded_)
        Form_Unload();
    e->accept();
}

void frmMagicPanel::Form_Load() {
    loaded_ = true;
    PanelLoaded = true;
    picImage->setGeometry(QRect(0, 0, 156, 114));
    lblNextUpdate->setText(QString());
    sizeWindow();
    IgnoreListClick = false;
    CenterForm(this, 1);
    ColorDepth = static_cast<int16_t>(services().screen->bitsPerPixel());
    BuildBackgroundColors();
    FillListNames();
    ActiveMagicList.SelectOnlyAcitve();
    CurrentEntry = ActiveMagicList.GetActiveEntry();
    lblFullPath->setText(QString());
    picImage->move(Image1->x() + 10, Image1->y() + 14);
    picImage->raise();
    StoreActiveList();
    DisplaySelectedEntry(true);
    UpdateSelectionState();

    // The etched dividers: a dark line with a light one beside it.
    const int x = kit::px(1750);
    const int top = kit::pxY(2850);
    const int bottom = kit::pxY(3950);
    const int right = Frame2->width() - 2;
    Line1->setGeometry(x, top, 1, bottom - top);
    Line2->setGeometry(x + 1, top, 1, bottom - top);
    Line3->setGeometry(x, top, right - x, 1);
    Line4->setGeometry(x, top + 1, right - x, 1);
    Line5->setGeometry(x, bottom, right - x, 1);
    Line6->setGeometry(x, bottom + 1, right - x, 1);

    cmdNewEntry->setFixedSize(32, 32);
    bool unused = false;
    UpdateNextChangeLabel(unused);
    Timer1->start();
}

void frmMagicPanel::finishLoading() {
    if (!loaded_)
        return;
    if (ActiveMagicList.GetCount() == 0) {
        GetSomeFiles();
        FillEntryList();
    }
    loadFinished_ = true;
    if (isActiveWindow())
        Form_Activate();
}

void frmMagicPanel::Form_Activate() {
    // A panel closed since it was activated opens nothing.
    if (!loaded_ || !isVisible())
        return;
    if (!Options.ShowOverviewDialog || Options.OverviewShownThisSession)
        return;
    if (!programWindows().has(LaterWindow::Overview))
        return;
    // The overview notes its own first opening as it loads (it shows its
    // check box only then), before the panel is activated again behind it.
    // Noted here too, so that an overview that failed to open is not tried
    // again at every activation.
    // Nothing of the panel's own is touched once the overview has closed:
    // the panel may be gone by then.
    try {
        mnuHelpOverview_Click();
    } catch (...) {
        Options.OverviewShownThisSession = true;
        throw;
    }
    Options.OverviewShownThisSession = true;
}

void frmMagicPanel::Form_Unload() {
    loaded_ = false;
    PanelLoaded = false;
    Timer1->stop();
    timMover->stop();
    pendingPreview_ = -1;
}

void frmMagicPanel::RefreshMagicList() {
    ActiveMagicList.SelectOnlyAcitve();
    StoreActiveList();
    DisplaySelectedEntry(true);
    updateSelectionMenus();
}

void frmMagicPanel::offerToFillEmptyList() {
    RefreshMagicList();
    if (ActiveMagicList.GetCount() != 0)
        return;
    GetSomeFiles();
    FillEntryList();
    UpdateSelectionState();
}

// ---------------------------------------------------------------------------
// The list-name box and the entry list

void frmMagicPanel::FillListNames() {
    cmbName->clear();
    for (int16_t i = 1; i <= ListIndexCount; ++i)
        cmbName->addItem(ListIndexEntries[i].ListName, int(i));
}

void frmMagicPanel::StoreActiveList() {
    SaveRegString(QStringLiteral("Options"), QStringLiteral("ActiveList"),
                  ActiveMagicList.GetFilePath(), false, REG_SZ);
    FillEntryList();
}

void frmMagicPanel::selectOpenListRow() {
    QList<ListRow> rows;
    for (int i = 0; i < cmbName->count(); ++i)
        rows.append({cmbName->itemText(i), static_cast<int16_t>(cmbName->itemData(i).toInt())});
    const QString name = ActiveMagicList.GetListName();
    const QString path = ActiveMagicList.GetFilePath();
    int row = matchingListRow(rows, name, path, ListIndexEntries, ListIndexCount);
    IgnoreListClick = true;
    if (row < 0) {
        cmbName->addItem(name, int(indexRowOf(name, path, ListIndexEntries, ListIndexCount)));
        row = cmbName->count() - 1;
    }
    cmbName->setCurrentIndex(row);
    IgnoreListClick = false;
}

void frmMagicPanel::FillEntryList() {
    if (fillGuard_)
        return;
    const QScopedValueRollback<bool> guard(fillGuard_, true);
    selectOpenListRow();
    const int n = ActiveMagicList.GetCount();
    entries_->setRows(n);
    applySelectionToView();
    lvEntries->header()->resizeSection(
        0, kit::px(n >= kRowsBeforeScrolling ? kColumnNarrow : kColumnWide));
}

void frmMagicPanel::applySelectionToView() {
    // The flags are the model: the view's selection is set from them in one
    // step, whatever their number.
    QItemSelectionModel* model = lvEntries->selectionModel();
    const int rows = entries_->rowCount();
    std::vector<bool> wasSelected(static_cast<size_t>(rows), false);
    for (const QItemSelectionRange& r : model->selection())
        for (int i = r.top(); i <= r.bottom() && i < rows; ++i)
            wasSelected[static_cast<size_t>(i)] = true;

    QItemSelection selection;
    int lastNew = -1;
    int firstSelected = -1;
    for (const auto& [first, last] : selectedRuns(ActiveMagicList)) {
        selection.select(entries_->index(first), entries_->index(last));
        if (firstSelected < 0)
            firstSelected = first;
        for (int i = first; i <= last; ++i)
            if (!wasSelected[static_cast<size_t>(i)])
                lastNew = i;
    }
    if (selection.isEmpty())
        model->clearSelection();
    else
        model->select(selection, QItemSelectionModel::ClearAndSelect);
    if (firstSelected >= 0 && !model->isSelected(model->currentIndex()))
        model->setCurrentIndex(entries_->index(firstSelected), QItemSelectionModel::NoUpdate);
    if (lastNew >= 0)
        lvEntries->scrollTo(entries_->index(lastNew));
}

void frmMagicPanel::lvEntries_SelectionChanged() {
    // The panel's own refills set the view from the flags; only the user's
    // changes go the other way.
    if (fillGuard_)
        return;
    UpdateSelectionState();
}

void frmMagicPanel::updateSelectionMenus() {
    const bool any = SelectedCount > 0;
    for (QAction* a : {mnuListRemove, mnuListActive, mnuListMoveUp, mnuListMoveDown,
                       mnuListFindActive, mnuRename})
        a->setEnabled(any);
    if (SelectedCount > 1 || !programWindows().has(LaterWindow::RenameDialog))
        mnuRename->setEnabled(false);
}

bool frmMagicPanel::selectionKept(const HeldSelection& held) {
    if (!loaded_)
        return false;
    if (held.isUnchanged(ActiveMagicList))
        return true;
    refreshViews();
    return false;
}

void frmMagicPanel::refreshViews() {
    FillEntryList();
    CurrentEntry = -1;
    UpdateSelectionState();
}

void frmMagicPanel::cmbName_Click() {
    if (IgnoreListClick || switchingList_)
        return;
    const QScopedValueRollback<bool> guard(switchingList_, true);
    const BusyPointer busy;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ActiveMagicList.Save();
    const int row = cmbName->currentIndex();
    if (row >= 0) {
        const int n = cmbName->itemData(row).toInt();
        if (n >= 1 && n <= ListIndexCount &&
            ListIndexEntries[n].ListPath != ActiveMagicList.GetFilePath()) {
            // A list that does not load whole changes nothing; the load has
            // said why.
            if (loadListWhole(ActiveMagicList, ListIndexEntries[n].ListPath) != 0) {
                FillEntryList();
                return;
            }
            ActiveMagicList.SetActiveEntryChanged();
            // Another list: whatever the preview showed belongs to the old one.
            CurrentEntry = -1;
            if (ActiveMagicList.GetCount() == 0)
                GetSomeFiles();
            StoreActiveList();
            UpdateSelectionState();
        }
    }
}

void frmMagicPanel::DeleteCurrentList() {
    if (cmbName->currentIndex() < 0)
        return;
    const BusyPointer busy;
    // The open list's own file goes first; while it cannot be deleted,
    // nothing else is touched. A file that is gone already, or a list that
    // never had one, counts as deleted.
    const QString file = ActiveMagicList.GetFilePath();
    if (!file.isEmpty() && QFileInfo(file).exists()) {
        QFile f(file);
        if (!f.remove()) {
            const int code = QFileInfo(file).isDir() || !QFileInfo(file).isWritable()
                                 ? vberr::PermissionDenied
                                 : vberr::PathFileAccess;
            ShowErrorMessage(standardErrorText(code) + QStringLiteral("\r\n") + file, 0, QString());
            return;
        }
    }
    for (int16_t i = static_cast<int16_t>(ActiveMagicList.GetCount() - 1); i >= 0; --i)
        ActiveMagicList.DeleteItem(i);
    // The list file has gone, so nothing names its pictures any more.
    ActiveMagicList.DeleteRemovedPictures();
    ActiveMagicList.ReInitialize();

    IgnoreListClick = true;
    BuildMagicListIndex();
    FillListNames();
    entries_->setRows(0);
    ActiveMagicList.ReInitialize();
    if (ListIndexCount >= 1) {
        cmbName->setCurrentIndex(0);
        const int n = cmbName->itemData(0).toInt();
        if (n >= 1 && n <= ListIndexCount)
            loadListWhole(ActiveMagicList, ListIndexEntries[n].ListPath);
    }
    if (ActiveMagicList.GetCount() == 0)
        GetSomeFiles();
    CurrentEntry = -1;
    StoreActiveList();
    UpdateSelectionState();
    ActiveMagicList.SetActiveEntryChanged();
    IgnoreListClick = false;
}

void frmMagicPanel::UpdateNextChangeLabel(bool&) {
    const QDateTime now = services().clock->now();
    if (Options.LastUpdateTime > now)
        Options.LastUpdateTime = now;
    // A list without pictures has nothing to change to: no countdown.
    if (ActiveMagicList.GetCount() == 0) {
        lblNextUpdate->setText(QString());
        return;
    }
    const QString s = ActiveMagicList.TimeOfNextUpdate(Options.LastUpdateTime, 0);
    const std::optional<QDateTime> next = parseDate(s);
    if (!next) {
        lblNextUpdate->setText(QStringLiteral("Manual"));
        return;
    }
    NextChangeTime = *next;
    lblNextUpdate->setText(countdownText(now, NextChangeTime));
}

void frmMagicPanel::Timer1_Timer() {
    bool unused = false;
    UpdateNextChangeLabel(unused);
}

QList<int32_t> frmMagicPanel::paletteColours() const {
    QList<int32_t> colours;
    for (int16_t i = 0; i < BackgroundColors.GetCount(); ++i)
        colours.append(BackgroundColors.GetColor(i));
    return colours;
}

void frmMagicPanel::BuildBackgroundColors() {
    const QList<int32_t> colours = paletteColours();
    const int holderWidth = kit::twipsX(picBGHoler->width());
    const int holderHeight = kit::twipsY(picBGHoler->height());
    const int customHeight = kit::twipsY(std::max(cmdCustom->sizeHint().height(), kit::pxY(375)));
    palette_ =
        paletteLayout(static_cast<int>(colours.size()), holderWidth, holderHeight, customHeight);
    picBGColors->setGeometry(0, 0, picBGHoler->width(), kit::pxY(palette_.height));
    cmdCustom->setGeometry(kit::px(palette_.customLeft), kit::pxY(palette_.customTop),
                           kit::px(palette_.customWidth), kit::pxY(customHeight));
    const QColor blank = palette().color(QPalette::Window);
    picBGColors->setPalette(colours, palette_, blank);
    picBGHoler->setAutoFillBackground(true);
    const QSignalBlocker quiet(vsbBackgroundColors);
    vsbBackgroundColors->setRange(0, palette_.scrollMax);
    vsbBackgroundColors->setSingleStep(1);
    vsbBackgroundColors->setPageStep(std::max(1, kit::twipsY(picBGHoler->height()) / 100));
    vsbBackgroundColors->setValue(0);
    vsbBackgroundColors->setEnabled(palette_.scrolls);
    vsbBackgroundColors->setGeometry(vsbBackgroundColors->x(), picBGHoler->y(),
                                     vsbBackgroundColors->width(), picBGHoler->height());
}

void frmMagicPanel::picBGColors_MouseDown(Qt::MouseButton, double X, double Y) {
    const int hit =
        paletteHit(BackgroundColors.GetCount(), X, Y, kit::twipsX(picBGColors->width()),
                   kit::twipsY(picBGColors->height()), kit::twipsY(cmdCustom->height()));
    if (hit < 0)
        return;
    int32_t colour = BackgroundColors.GetColor(static_cast<int16_t>(hit));
    ApplyBackgroundColor(colour);
}

void frmMagicPanel::vsbBackgroundColors_Change() {
    const int top =
        paletteTop(vsbBackgroundColors->value(), palette_, kit::twipsY(picBGHoler->height()));
    picBGColors->move(0, top / services().screen->twipsPerPixelY());
}

void frmMagicPanel::vsbBackgroundColors_Scroll() {
    vsbBackgroundColors_Change();
}
