#pragma once

#include "gui/forms/FormKit.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QTimer;
class QWidget;

// Message numbers the main form answers.
namespace mainmsg {
constexpr int32_t TrayCallback = 1025;     // the tray's callback, and a later copy's message
constexpr int32_t ShowPanelParam = -32767; // a later copy's last value: open the control panel
} // namespace mainmsg

// The program's resident part, never shown: the tray icon and its menu, the
// drop window's menu, and the minute timer that changes the wallpaper on
// the active list's schedule.
class frmMain : public QObject {
    Q_OBJECT
public:
    explicit frmMain(QObject* parent = nullptr);
    ~frmMain() override;

    // Other copies of the program find the running one by this caption.
    static QString Caption() { return QStringLiteral("Tapestrel Main"); }

    QTimer* Timer1;
    // The control panel last opened; kept (not cleared) when it closes.
    QPointer<QWidget> ControlPanel;
    // -1 while a tick runs.
    int16_t TickBusy = 0;

    // The tray menu.
    std::unique_ptr<QMenu> mnupopup;
    QAction* mnuControlPanel;
    QAction* mnuDisable;
    QAction* mnuChooseOtherList;
    QAction* popupline1;
    QAction* mnuImageReceiver;
    QAction* mnupopupline11;
    QAction* mnuNext;
    QAction* mnuPrevious;
    QAction* mnuClear;
    QAction* popupline2;
    QMenu* mnuReposition;
    QAction* mnuBestFitCurrent;
    QAction* mnuCenterCurrent;
    QAction* mnuStretchCurrent;
    QAction* mnuTileCurrent;
    QMenu* mnuRotate;
    QAction* mnuRotate90;
    QAction* mnuRotate270;
    QAction* mnuRotate180;
    QAction* mnuCrop;
    QAction* mnuRemove;
    QAction* popupline3;
    QAction* mnuAbout;
    QAction* popupline4;
    QAction* mnuExit;

    // The drop window's menu.
    std::unique_ptr<QMenu> mnuMagicCollector;
    QAction* mnuTurnOff;
    QAction* mnuMCLine1;
    QAction* mnuMakeImagesActive;
    QAction* mnuPromptForFileName;
    QAction* mnuMCLine2;
    QAction* mnuChooseOtherList2;

    // Puts up the tray icon, starts taking later copies' messages and starts
    // the timer; Form_Unload undoes it.
    void Form_Load();
    void Form_Unload();

    void RefreshControlPanel();
    // The tray item that switches the drop window says whether it is open.
    void showDropWindowState();
    // 1 when the icon is in the notification area, else 0.
    int32_t ShellTrayAdd();
    void ShowControlPanel();
    void DisplayNextWallpaper();
    // The tray's callback and a later copy's message; answers 0.
    int32_t TrayWindowProc(int32_t message, int32_t wParam, int32_t lParam);

    void Timer1_Timer();
    void mnupopup_Click();
    void mnuControlPanel_Click();
    void mnuDisable_Click();
    void mnuChooseOtherList_Click();
    void mnuChooseOtherList2_Click();
    void mnuImageReceiver_Click();
    void mnuTurnOff_Click();
    void mnuNext_Click();
    void mnuPrevious_Click();
    void mnuClear_Click();
    void mnuTileCurrent_Click();
    void mnuCenterCurrent_Click();
    void mnuStretchCurrent_Click();
    void mnuBestFitCurrent_Click();
    void mnuRotate90_Click();
    void mnuRotate180_Click();
    void mnuRotate270_Click();
    void mnuCrop_Click();
    void mnuRemove_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    void mnuMakeImagesActive_Click();
    void mnuPromptForFileName_Click();

signals:
    // Exit was chosen on the tray menu. The form does not end the program
    // itself: the start, which made it, connects this to EndProgram.
    void exitChosen();

private:
    void buildTrayMenu();
    void buildDropMenu();
    void enableLaterWindows();
    void ShellTrayDelete();
    // Whether the entry commands may touch the active entry now.
    bool activeEntryAvailable() const;
    // Changes the active entry, shows it again and saves the list.
    void changeActiveEntry(const std::function<void(int16_t)>& change);
    void reposition(int16_t placement);
    void rotate(int steps);
    // Shows the entry `step` places from the active one, wrapping round.
    void showNeighbour(int step);
};

// The main form, from start to exit.
extern frmMain* MainForm;
// The drop window while it is open.
extern QPointer<QWidget> DropWindow;
// Takes the main form and the drop window down, as a new process has
// none; resetProgramState calls it once installed with
// setWindowStateReset.
void resetWindowState();

void ShowDropWindow();
void CloseDropWindow();

// The entry one place after (step 1) or before (step -1) the active one
// of a list of `count` entries, wrapping round at either end.
int16_t neighbourEntry(int16_t active, int16_t count, int step);

// The milliseconds from a tick at `second` past the minute to the next
// whole minute.
int nextTickInterval(int second);
