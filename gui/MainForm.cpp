#include "gui/MainForm.h"

#include "engine/BusyPointer.h"
#include "engine/DisplayEntry.h"
#include "engine/EntryCommands.h"
#include "engine/ErrorWindow.h"
#include "engine/LifeLog.h"
#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramBusy.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperImage.h"
#include "engine/WallpaperPlacement.h"
#include "engine/Windows.h"
#include "gui/Tray.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "platform/SingleInstance.h"
#include "platform/WindowActivation.h"
#include "runtime/RuntimeError.h"

#include <QAction>
#include <QMenu>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>
#include <functional>

Q_LOGGING_CATEGORY(lcLife, "tapestrel.life", QtWarningMsg)

namespace {

using kit::menuItem;
using kit::menuSeparator;
using kit::subMenu;

} // namespace

frmMain* MainForm = nullptr;
QPointer<QWidget> DropWindow;

void resetWindowState() {
    delete MainForm;
    MainForm = nullptr;
    delete DropWindow.data();
    DropWindow = nullptr;
}

int16_t neighbourEntry(int16_t active, int16_t count, int step) {
    const int i = active + step;
    if (i >= count)
        return 0;
    if (i < 0)
        return static_cast<int16_t>(count - 1);
    return static_cast<int16_t>(i);
}

int nextTickInterval(int second) {
    return (60 - second) * 1000;
}

frmMain::frmMain(QObject* parent) : QObject(parent), Timer1(new QTimer(this)) {
    setObjectName(Caption());
    // The tick re-arms itself for the next whole minute; a coarse timer may
    // fire a few seconds early and would then add a tick.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(1000);
    kit::on(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    buildTrayMenu();
    buildDropMenu();
    enableLaterWindows();
}

frmMain::~frmMain() = default;

void frmMain::buildTrayMenu() {
    mnupopup = std::make_unique<QMenu>(QStringLiteral("Popup"));
    QMenu* m = mnupopup.get();
    m->setObjectName(QStringLiteral("mnupopup"));
    mnuControlPanel = menuItem(m, "mnuControlPanel", QStringLiteral("Tapestrel Control Panel"));
    mnuDisable = menuItem(m, "mnuDisable", QStringLiteral("Disable Automatic Updates"));
    mnuChooseOtherList =
        menuItem(m, "mnuChooseOtherList", QStringLiteral("Select Another Magic List"));
    popupline1 = menuSeparator(m, "popupline1");
    mnuImageReceiver = menuItem(m, "mnuImageReceiver", QStringLiteral("Turn On Radur Eradeziro"));
    mnupopupline11 = menuSeparator(m, "mnupopupline11");
    mnuNext = menuItem(m, "mnuNext", QStringLiteral("Display Next Wallpaper"));
    mnuPrevious = menuItem(m, "mnuPrevious", QStringLiteral("Display Previous Wallpaper"));
    mnuClear = menuItem(m, "mnuClear", QStringLiteral("Clear Wallpaper"));
    popupline2 = menuSeparator(m, "popupline2");
    mnuReposition = subMenu(m, "mnuReposition", QStringLiteral("Reposition Current Wallpaper"));
    mnuBestFitCurrent = menuItem(mnuReposition, "mnuBestFitCurrent", QStringLiteral("&Best Fit"));
    mnuCenterCurrent = menuItem(mnuReposition, "mnuCenterCurrent", QStringLiteral("&Center"));
    mnuStretchCurrent = menuItem(mnuReposition, "mnuStretchCurrent", QStringLiteral("&Stretch"));
    mnuTileCurrent = menuItem(mnuReposition, "mnuTileCurrent", QStringLiteral("&Tile"));
    for (QAction* a : {mnuBestFitCurrent, mnuCenterCurrent, mnuStretchCurrent, mnuTileCurrent})
        a->setCheckable(true);
    mnuRotate = subMenu(m, "mnuRotate", QStringLiteral("Rotate Current Wallpaper"));
    mnuRotate90 = menuItem(mnuRotate, "mnuRotate90", QStringLiteral("Clockwise"));
    mnuRotate270 = menuItem(mnuRotate, "mnuRotate270", QStringLiteral("Counter-Clockwise"));
    mnuRotate180 = menuItem(mnuRotate, "mnuRotate180", QStringLiteral("Flip It"));
    mnuCrop = menuItem(m, "mnuCrop", QStringLiteral("Crop Current Wallpaper"));
    mnuRemove = menuItem(m, "mnuRemove", QStringLiteral("Remove Current Wallpaper"));
    popupline3 = menuSeparator(m, "popupline3");
    mnuAbout = menuItem(m, "mnuAbout", QStringLiteral("&About Tapestrel"));
    popupline4 = menuSeparator(m, "popupline4");
    mnuExit = menuItem(m, "mnuExit", QStringLiteral("&Exit Tapestrel"));

    kit::on(m, &QMenu::aboutToShow, this, &frmMain::mnupopup_Click);
    const std::initializer_list<std::pair<QAction*, void (frmMain::*)()>> handlers = {
        {mnuControlPanel, &frmMain::mnuControlPanel_Click},
        {mnuDisable, &frmMain::mnuDisable_Click},
        {mnuChooseOtherList, &frmMain::mnuChooseOtherList_Click},
        {mnuImageReceiver, &frmMain::mnuImageReceiver_Click},
        {mnuNext, &frmMain::mnuNext_Click},
        {mnuPrevious, &frmMain::mnuPrevious_Click},
        {mnuClear, &frmMain::mnuClear_Click},
        {mnuBestFitCurrent, &frmMain::mnuBestFitCurrent_Click},
        {mnuCenterCurrent, &frmMain::mnuCenterCurrent_Click},
        {mnuStretchCurrent, &frmMain::mnuStretchCurrent_Click},
        {mnuTileCurrent, &frmMain::mnuTileCurrent_Click},
        {mnuRotate90, &frmMain::mnuRotate90_Click},
        {mnuRotate270, &frmMain::mnuRotate270_Click},
        {mnuRotate180, &frmMain::mnuRotate180_Click},
        {mnuCrop, &frmMain::mnuCrop_Click},
        {mnuRemove, &frmMain::mnuRemove_Click},
        {mnuAbout, &frmMain::mnuAbout_Click},
        {mnuExit, &frmMain::mnuExit_Click},
    };
    for (const auto& [action, handler] : handlers)
        kit::on(action, &QAction::triggered, this, handler);
}

void frmMain::buildDropMenu() {
    mnuMagicCollector = std::make_unique<QMenu>(QStringLiteral("Radur Eradeziro"));
    QMenu* m = mnuMagicCollector.get();
    m->setObjectName(QStringLiteral("mnuMagicCollector"));
    mnuTurnOff = menuItem(m, "mnuTurnOff", QStringLiteral("Turn Off Radur Eradeziro"));
    mnuMCLine1 = menuSeparator(m, "mnuMCLine1");
    mnuMakeImagesActive =
        menuItem(m, "mnuMakeImagesActive", QStringLiteral("Make Dropped Images Active"));
    mnuPromptForFileName =
        menuItem(m, "mnuPromptForFileName", QStringLiteral("Prompt for File Name"));
    mnuMakeImagesActive->setCheckable(true);
    mnuPromptForFileName->setCheckable(true);
    mnuMCLine2 = menuSeparator(m, "mnuMCLine2");
    mnuChooseOtherList2 =
        menuItem(m, "mnuChooseOtherList2", QStringLiteral("Select Another Magic List"));

    kit::on(mnuTurnOff, &QAction::triggered, this, &frmMain::mnuTurnOff_Click);
    kit::on(mnuMakeImagesActive, &QAction::triggered, this, &frmMain::mnuMakeImagesActive_Click);
    kit::on(mnuPromptForFileName, &QAction::triggered, this, &frmMain::mnuPromptForFileName_Click);
    kit::on(mnuChooseOtherList2, &QAction::triggered, this, &frmMain::mnuChooseOtherList2_Click);
}

void frmMain::enableLaterWindows() {
    const ProgramWindows& w = programWindows();
    mnuControlPanel->setEnabled(w.has(LaterWindow::ControlPanel));
    mnuChooseOtherList->setEnabled(w.has(LaterWindow::ListPicker));
    mnuChooseOtherList2->setEnabled(w.has(LaterWindow::ListPicker));
    mnuImageReceiver->setEnabled(w.has(LaterWindow::DropWindow));
    mnuTurnOff->setEnabled(w.has(LaterWindow::DropWindow));
    mnuCrop->setEnabled(w.has(LaterWindow::CropDialog));
    mnuAbout->setEnabled(w.has(LaterWindow::AboutBox));
}

void frmMain::Form_Load() {
    ShellTrayAdd();
    // A later copy's message is taken whether or not the icon could be
    // shown: without a notification area it is the only way to reach a
    // copy started for the tray.
    if (SingleInstance* instance = services().instance) {
        instance->setHandler([this](const InstanceMessage& m) {
            qCInfo(lcLife) << "message from a later copy:" << m.message << m.wParam << m.lParam;
            // The desktop lets the panel come forward for the later start.
            const WindowActivation activation(m.activationToken);
            kit::guarded([&] { TrayWindowProc(m.message, m.wParam, m.lParam); });
        });
    }
    mnuPromptForFileName->setChecked(Options.PromptForNameOnDrop);
    mnuMakeImagesActive->setChecked(Options.MakeDroppedActive);
    Timer1->start(1000);
}

void frmMain::Form_Unload() {
    Timer1->stop();
    if (ControlPanel) {
        ControlPanel->close();
        ControlPanel->deleteLater();
    }
    ShellTrayDelete();
    if (SingleInstance* instance = services().instance)
        instance->setHandler(nullptr);
}

int32_t frmMain::ShellTrayAdd() {
    const bool added = programTray().add(
        programIcon(), QStringLiteral("Tapestrel"), mnupopup.get(), mainmsg::TrayCallback,
        [this](int32_t message, int32_t wParam, int32_t lParam) {
            // The icon's clicks are commands as the menu's are;
            // TrayWindowProc does nothing while long work runs.
            kit::guarded([&] { TrayWindowProc(message, wParam, lParam); });
        });
    return added ? 1 : 0;
}

void frmMain::ShellTrayDelete() {
    programTray().remove();
}

int32_t frmMain::TrayWindowProc(int32_t message, int32_t, int32_t lParam) {
    if (message != mainmsg::TrayCallback || ProgramIsBusy())
        return 0;
    switch (lParam) {
    case mainmsg::ShowPanelParam:
        ShowControlPanel();
        break;
    case traymsg::LeftDoubleClick:
        DisplayNextWallpaper();
        break;
    case traymsg::RightButtonUp:
        programTray().popUpMenu(mnupopup.get());
        break;
    default:
        break;
    }
    return 0;
}

void frmMain::RefreshControlPanel() {
    if (PanelLoaded && ControlPanel)
        programWindows().refreshMagicList(ControlPanel);
}

void frmMain::ShowControlPanel() {
    if (!PanelLoaded)
        ControlPanel = programWindows().createControlPanel();
    if (!ControlPanel)
        return;
    ControlPanel->show();
    ControlPanel->raise();
    ControlPanel->activateWindow();
}

void frmMain::DisplayNextWallpaper() {
    mnuNext_Click();
}

void frmMain::Timer1_Timer() {
    if (TickBusy != 0)
        return;
    TickBusy = -1;
    const Clock& clock = *services().clock;
    // However the tick ends (a run-time error goes on to the error
    // window), the next one is armed and is not taken for a nested tick.
    const auto done = qScopeGuard([this, &clock] {
        Timer1->setInterval(nextTickInterval(clock.now().time().second()));
        TickBusy = 0;
    });
    const QDateTime now = clock.now();
    // The clock was set back: count the schedule from now rather than wait
    // for the old time to come round again. The stored value stays.
    if (Options.LastUpdateTime > now)
        Options.LastUpdateTime = now;
    if (!ProgramIsBusy() && !ActiveMagicList.IsBusy() &&
        ActiveMagicList.IsTimeToAutoUpdate(Options.LastUpdateTime)) {
        const QScopedValueRollback onSchedule(ThisRun.savingOnSchedule, true);
        mnuNext_Click();
    }
}

void frmMain::mnupopup_Click() {
    const int16_t a = ActiveMagicList.GetActiveEntry();
    mnuDisable->setText(Timer1->isActive() ? QStringLiteral("Disable Automatic Updates")
                                           : QStringLiteral("Enable Automatic Updates"));
    showDropWindowState();
    const int16_t p = ActiveMagicList.GetEntryPosition(a);
    if (p < placement::Tile || p > placement::BestFit)
        return;
    mnuTileCurrent->setChecked(p == placement::Tile);
    mnuCenterCurrent->setChecked(p == placement::Centre);
    mnuStretchCurrent->setChecked(p == placement::Stretch);
    mnuBestFitCurrent->setChecked(p == placement::BestFit);
}

void frmMain::showDropWindowState() {
    mnuImageReceiver->setText(DropWindow ? QStringLiteral("Turn Off the Radur Eradeziro")
                                         : QStringLiteral("Turn On the Radur Eradeziro"));
}

void frmMain::mnuControlPanel_Click() {
    ShowControlPanel();
}

void frmMain::mnuDisable_Click() {
    if (Timer1->isActive()) {
        Timer1->stop();
        mnuDisable->setText(QStringLiteral("Enable Automatic Updates"));
    } else {
        Timer1->start();
        mnuDisable->setText(QStringLiteral("Disable Automatic Updates"));
    }
}

void frmMain::mnuChooseOtherList_Click() {
    SelectAnotherMagicList();
    RefreshControlPanel();
}

void frmMain::mnuChooseOtherList2_Click() {
    mnuChooseOtherList_Click();
}

void frmMain::mnuImageReceiver_Click() {
    if (DropWindow)
        CloseDropWindow();
    else
        ShowDropWindow();
}

void frmMain::mnuTurnOff_Click() {
    CloseDropWindow();
}

void frmMain::showNeighbour(int step) {
    if (ActiveMagicList.IsBusy())
        return;
    const int16_t n = ActiveMagicList.GetCount();
    if (n < 1)
        return;
    DisplayListEntry(ActiveMagicList, neighbourEntry(ActiveMagicList.GetActiveEntry(), n, step),
                     true);
    RefreshControlPanel();
}

void frmMain::mnuNext_Click() {
    showNeighbour(1);
}

void frmMain::mnuPrevious_Click() {
    const BusyPointer busy;
    showNeighbour(-1);
}

void frmMain::mnuClear_Click() {
    int16_t position = placement::Centre;
    int32_t rotation = 0;
    SetWallpaperImage(QString(), position, -1, -1, 0, 0, 0, rotation);
}

bool frmMain::activeEntryAvailable() const {
    // On an empty list the active index 0 names no picture: showing it
    // would take the user's wallpaper away and paint the desktop black.
    return !ActiveMagicList.IsBusy() && ActiveMagicList.GetCount() > 0;
}

void frmMain::changeActiveEntry(const std::function<void(int16_t)>& change) {
    const BusyPointer busy;
    if (!activeEntryAvailable())
        return;
    const int16_t a = ActiveMagicList.GetActiveEntry();
    change(a);
    DisplayListEntry(ActiveMagicList, a, true);
    ActiveMagicList.Save();
    RefreshControlPanel();
}

void frmMain::reposition(int16_t placement) {
    changeActiveEntry([placement](int16_t a) { ActiveMagicList.SetEntryPosition(a, placement); });
}

void frmMain::mnuTileCurrent_Click() {
    reposition(placement::Tile);
}

void frmMain::mnuCenterCurrent_Click() {
    reposition(placement::Centre);
}

void frmMain::mnuStretchCurrent_Click() {
    reposition(placement::Stretch);
}

void frmMain::mnuBestFitCurrent_Click() {
    reposition(placement::BestFit);
}

void frmMain::rotate(int steps) {
    changeActiveEntry([steps](int16_t a) { rotateEntryQuarterTurns(ActiveMagicList, a, steps); });
}

void frmMain::mnuRotate90_Click() {
    rotate(1);
}

void frmMain::mnuRotate180_Click() {
    rotate(2);
}

void frmMain::mnuRotate270_Click() {
    rotate(3);
}

void frmMain::mnuCrop_Click() {
    if (!activeEntryAvailable())
        return;
    const int16_t a = ActiveMagicList.GetActiveEntry();
    // The timer, the tray and the panel keep working while the dialog is
    // open; the crop is applied only to the entry it was drawn on.
    if (cropEntry(ActiveMagicList, a) != CropOutcome::Applied)
        return;
    ActiveMagicList.Save();
    DisplayListEntry(ActiveMagicList, a, true);
    RefreshControlPanel();
}

void frmMain::mnuRemove_Click() {
    {
        const BusyPointer busy;
        if (!activeEntryAvailable())
            return;
        try {
            const int16_t a = ActiveMagicList.GetActiveEntry();
            ActiveMagicList.DeleteItem(a);
            // An index equal to the count clears the desktop: the only
            // entry is gone, and its picture with it.
            if (a >= ActiveMagicList.GetCount())
                DisplayListEntry(ActiveMagicList, 0, true);
            else
                DisplayListEntry(ActiveMagicList, a, true);
            ActiveMagicList.Save();
        } catch (const RuntimeError& e) {
            ShowErrorMessage(e.description(), 0, QString());
            return;
        }
    }
    if (ActiveMagicList.GetCount() == 0 && Options.ShowEmptyDialog) {
        // An open panel shows the empty list and offers to fill it, as a
        // panel that opens on it does.
        const bool open = PanelLoaded && ControlPanel;
        ShowControlPanel();
        if (open && ControlPanel)
            programWindows().offerToFillEmptyList(ControlPanel);
    } else {
        RefreshControlPanel();
    }
}

void frmMain::mnuAbout_Click() {
    programWindows().showAboutBox();
}

void frmMain::mnuExit_Click() {
    emit exitChosen();
}

void frmMain::mnuMakeImagesActive_Click() {
    Options.MakeDroppedActive = !Options.MakeDroppedActive;
    SaveOptions();
    mnuMakeImagesActive->setChecked(Options.MakeDroppedActive);
}

void frmMain::mnuPromptForFileName_Click() {
    Options.PromptForNameOnDrop = !Options.PromptForNameOnDrop;
    SaveOptions();
    mnuPromptForFileName->setChecked(Options.PromptForNameOnDrop);
}

void ShowDropWindow() {
    DropWindow = programWindows().createDropWindow();
    if (DropWindow)
        DropWindow->show();
    // Trays that export the menu may never say when it opens: the item
    // follows the window at once.
    if (MainForm)
        MainForm->showDropWindowState();
}

void CloseDropWindow() {
    if (!DropWindow)
        return;
    DropWindow->close();
    delete DropWindow.data();
    DropWindow = nullptr;
    if (MainForm)
        MainForm->showDropWindowState();
}
