#include "engine/MainForm.h"

#include "engine/BusyPointer.h"
#include "engine/DisplayEntry.h"
#include "engine/ErrorWindow.h"
#include "engine/LifeLog.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramResources.h"
#include "engine/StartUp.h"
#include "engine/WallpaperImage.h"
#include "engine/Windows.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "platform/SingleInstance.h"
#include "platform/Tray.h"
#include "runtime/RuntimeError.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <limits>

Q_LOGGING_CATEGORY(lcLife, "tapestrel.life", QtWarningMsg)

frmMain* MainForm = nullptr;
QPointer<QWidget> DropWindow;

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* submenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QString::fromLatin1(name));
    sub->menuAction()->setObjectName(QString::fromLatin1(name));
    return sub;
}

bool fitsInEntry(int32_t v) {
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

} // namespace

QIcon programIcon() {
    initProgramResources();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tapestrel-%1.png").arg(size), QSize(size, size));
    return icon;
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
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    buildTrayMenu();
    buildDropMenu();
    enableLaterWindows();
}

frmMain::~frmMain() = default;

void frmMain::buildTrayMenu() {
    mnupopup = std::make_unique<QMenu>(QStringLiteral("Popup"));
    QMenu* m = mnupopup.get();
    m->setObjectName(QStringLiteral("mnupopup"));
    mnuControlPanel = item(m, "mnuControlPanel", QStringLiteral("Tapestrel Control Panel"));
    mnuDisable = item(m, "mnuDisable", QStringLiteral("Disable Automatic Updates"));
    mnuChooseOtherList = item(m, "mnuChooseOtherList", QStringLiteral("Select Another Magic List"));
    popupline1 = separator(m, "popupline1");
    mnuImageReceiver = item(m, "mnuImageReceiver", QStringLiteral("Turn On Radur Eradeziro"));
    mnupopupline11 = separator(m, "mnupopupline11");
    mnuNext = item(m, "mnuNext", QStringLiteral("Display Next Wallpaper"));
    mnuPrevious = item(m, "mnuPrevious", QStringLiteral("Display Previous Wallpaper"));
    mnuClear = item(m, "mnuClear", QStringLiteral("Clear Wallpaper"));
    popupline2 = separator(m, "popupline2");
    mnuReposition = submenu(m, "mnuReposition", QStringLiteral("Reposition Current Wallpaper"));
    mnuBestFitCurrent = item(mnuReposition, "mnuBestFitCurrent", QStringLiteral("&Best Fit"));
    mnuCenterCurrent = item(mnuReposition, "mnuCenterCurrent", QStringLiteral("&Center"));
    mnuStretchCurrent = item(mnuReposition, "mnuStretchCurrent", QStringLiteral("&Stretch"));
    mnuTileCurrent = item(mnuReposition, "mnuTileCurrent", QStringLiteral("&Tile"));
    for (QAction* a : {mnuBestFitCurrent, mnuCenterCurrent, mnuStretchCurrent, mnuTileCurrent})
        a->setCheckable(true);
    mnuRotate = submenu(m, "mnuRotate", QStringLiteral("Rotate Current Wallpaper"));
    mnuRotate90 = item(mnuRotate, "mnuRotate90", QStringLiteral("Clockwise"));
    mnuRotate270 = item(mnuRotate, "mnuRotate270", QStringLiteral("Counter-Clockwise"));
    mnuRotate180 = item(mnuRotate, "mnuRotate180", QStringLiteral("Flip It"));
    mnuCrop = item(m, "mnuCrop", QStringLiteral("Crop Current Wallpaper"));
    mnuRemove = item(m, "mnuRemove", QStringLiteral("Remove Current Wallpaper"));
    popupline3 = separator(m, "popupline3");
    mnuAbout = item(m, "mnuAbout", QStringLiteral("&About Tapestrel"));
    popupline4 = separator(m, "popupline4");
    mnuExit = item(m, "mnuExit", QStringLiteral("&Exit Tapestrel"));

    connect(m, &QMenu::aboutToShow, this, &frmMain::mnupopup_Click);
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
        connect(action, &QAction::triggered, this, handler);
}

void frmMain::buildDropMenu() {
    mnuMagicCollector = std::make_unique<QMenu>(QStringLiteral("Radur Eradeziro"));
    QMenu* m = mnuMagicCollector.get();
    m->setObjectName(QStringLiteral("mnuMagicCollector"));
    mnuTurnOff = item(m, "mnuTurnOff", QStringLiteral("Turn Off Radur Eradeziro"));
    mnuMCLine1 = separator(m, "mnuMCLine1");
    mnuMakeImagesActive =
        item(m, "mnuMakeImagesActive", QStringLiteral("Make Dropped Images Active"));
    mnuPromptForFileName = item(m, "mnuPromptForFileName", QStringLiteral("Prompt for File Name"));
    mnuMakeImagesActive->setCheckable(true);
    mnuPromptForFileName->setCheckable(true);
    mnuMCLine2 = separator(m, "mnuMCLine2");
    mnuChooseOtherList2 =
        item(m, "mnuChooseOtherList2", QStringLiteral("Select Another Magic List"));

    connect(mnuTurnOff, &QAction::triggered, this, &frmMain::mnuTurnOff_Click);
    connect(mnuMakeImagesActive, &QAction::triggered, this, &frmMain::mnuMakeImagesActive_Click);
    connect(mnuPromptForFileName, &QAction::triggered, this, &frmMain::mnuPromptForFileName_Click);
    connect(mnuChooseOtherList2, &QAction::triggered, this, &frmMain::mnuChooseOtherList2_Click);
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
            TrayWindowProc(m.message, m.wParam, m.lParam);
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
    Tray* tray = services().tray;
    if (!tray)
        return 0;
    const bool added =
        tray->add(programIcon(), QStringLiteral("Tapestrel"), mnupopup.get(), mainmsg::TrayCallback,
                  [this](int32_t message, int32_t wParam, int32_t lParam) {
                      TrayWindowProc(message, wParam, lParam);
                  });
    return added ? 1 : 0;
}

void frmMain::ShellTrayDelete() {
    if (Tray* tray = services().tray)
        tray->remove();
}

int32_t frmMain::TrayWindowProc(int32_t message, int32_t, int32_t lParam) {
    if (message != mainmsg::TrayCallback)
        return 0;
    switch (lParam) {
    case mainmsg::ShowPanelParam:
        ShowControlPanel();
        break;
    case traymsg::LeftDoubleClick:
        DisplayNextWallpaper();
        break;
    case traymsg::RightButtonUp:
        if (Tray* tray = services().tray)
            tray->popUpMenu(mnupopup.get());
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
    const QDateTime now = clock.now();
    // The clock was set back: count the schedule from now rather than wait
    // for the old time to come round again. The stored value stays.
    if (Options.LastUpdateTime > now)
        Options.LastUpdateTime = now;
    if (!ActiveMagicList.IsBusy() && ActiveMagicList.IsTimeToAutoUpdate(Options.LastUpdateTime))
        mnuNext_Click();
    Timer1->setInterval(nextTickInterval(clock.now().time().second()));
    TickBusy = 0;
}

void frmMain::mnupopup_Click() {
    const int16_t a = ActiveMagicList.GetActiveEntry();
    mnuDisable->setText(Timer1->isActive() ? QStringLiteral("Disable Automatic Updates")
                                           : QStringLiteral("Enable Automatic Updates"));
    mnuImageReceiver->setText(DropWindow ? QStringLiteral("Turn Off the Radur Eradeziro")
                                         : QStringLiteral("Turn On the Radur Eradeziro"));
    const int16_t p = ActiveMagicList.GetEntryPosition(a);
    if (p < 1 || p > 4)
        return;
    mnuTileCurrent->setChecked(p == 1);
    mnuCenterCurrent->setChecked(p == 2);
    mnuStretchCurrent->setChecked(p == 3);
    mnuBestFitCurrent->setChecked(p == 4);
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
    programWindows().selectAnotherMagicList();
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
    int16_t position = 2;
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
    reposition(1);
}

void frmMain::mnuCenterCurrent_Click() {
    reposition(2);
}

void frmMain::mnuStretchCurrent_Click() {
    reposition(3);
}

void frmMain::mnuBestFitCurrent_Click() {
    reposition(4);
}

void frmMain::rotate(int steps) {
    changeActiveEntry([steps](int16_t a) {
        for (int i = 0; i < steps; ++i)
            ActiveMagicList.RotateEntry(a);
    });
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
    CropRequest request;
    if (ActiveMagicList.GetEntryLeft(a) == -1) {
        request.CropLeft = -1;
    } else {
        request.CropLeft = ActiveMagicList.GetEntryLeft(a);
        request.CropTop = ActiveMagicList.GetEntryTop(a);
        request.CropWidth = ActiveMagicList.GetEntryWidth(a);
        request.CropHeight = ActiveMagicList.GetEntryHeight(a);
        request.CropBackColor = ActiveMagicList.GetEntryBackgroundColor(a);
    }
    request.CropRotation = ActiveMagicList.GetEntryRotate(a);
    request.FileName = ActiveMagicList.GetEntryPath(a);

    const CropAnswer answer = programWindows().runCropDialog(request);
    if (answer.Cancelled)
        return;
    // The timer, the tray and the panel keep working while the dialog is
    // open and may have removed or moved entries: a crop belongs only to
    // the picture it was drawn on.
    if (ActiveMagicList.IsBusy() || a >= ActiveMagicList.GetCount() ||
        ActiveMagicList.GetEntryPath(a) != request.FileName)
        return;
    if (!fitsInEntry(answer.CropLeft) || !fitsInEntry(answer.CropTop) ||
        !fitsInEntry(answer.CropWidth) || !fitsInEntry(answer.CropHeight)) {
        ShowErrorMessage(standardErrorText(vberr::Overflow), 0, QString());
        return;
    }
    ActiveMagicList.SetEntryProperties(
        a, static_cast<int16_t>(answer.CropLeft), static_cast<int16_t>(answer.CropTop),
        static_cast<int16_t>(answer.CropWidth), static_cast<int16_t>(answer.CropHeight));
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
    if (ActiveMagicList.GetCount() == 0 && Options.ShowEmptyDialog)
        ShowControlPanel();
    else
        RefreshControlPanel();
}

void frmMain::mnuAbout_Click() {
    programWindows().showAboutBox();
}

void frmMain::mnuExit_Click() {
    EndProgram(true);
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
}

void CloseDropWindow() {
    if (!DropWindow)
        return;
    DropWindow->close();
    delete DropWindow.data();
    DropWindow = nullptr;
}
