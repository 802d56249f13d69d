#include "engine/Windows.h"
#include "gui/ErrorWindowForm.h"
#include "gui/MainForm.h"
#include "gui/QtFileDialog.h"
#include "gui/StartUp.h"
#include "gui/SystemBeeper.h"
#include "gui/Tray.h"
#include "panel/PanelWindows.h"
#include "platform/Clock.h"
#include "platform/Connectivity.h"
#include "platform/DesktopFactory.h"
#include "platform/DriveTypes.h"
#include "platform/FileRegistry.h"
#include "platform/Folders.h"
#include "platform/Help.h"
#include "platform/Http.h"
#include "platform/Launcher.h"
#include "platform/ProcessRunner.h"
#include "platform/Random.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/WindowActivation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Read before the application object takes it away: a copy that finds
    // another one running hands the token over with its message.
    const QByteArray activationToken = startActivationToken();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tapestrel"));
    // The windows belong to the launcher of that name (its name and icon
    // in the desktop's task bar; the application id under Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral(TAPESTREL_APP_ID));
    // The program lives in the tray: closing its last window is not an exit.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());

    SystemClock clock;
    SystemRandom random;
    SystemFolders folders;
    FileRegistry registry(
        FileRegistry::standardLocations(folders.machineDataFolder(), folders.programFilePath()));
    QtScreen screen;
    SystemBeeper beeper;
    MountDriveClassifier drives;
    DesktopShell shell;
    SystemProcessRunner runner;
    SystemLauncher launcher;
    DesktopHelp help;
    const std::unique_ptr<Desktop> desktop =
        createDesktop(DesktopSession::fromEnvironment(), runner);
    LocalSocketInstance instance(frmMain::Caption(), folders.privateRuntimeFolder());
    instance.setActivationToken(activationToken);
    SystemTray tray;
    SystemConnectivity connectivity;
    Http http;
    QtFileDialog fileDialog;

    Services& s = services();
    s.clock = &clock;
    s.random = &random;
    s.registry = &registry;
    s.screen = &screen;
    s.beeper = &beeper;
    s.folders = &folders;
    s.drives = &drives;
    s.shell = &shell;
    s.desktop = desktop.get();
    s.instance = &instance;
    s.tray = &tray;
    s.launcher = &launcher;
    s.help = &help;
    s.connectivity = &connectivity;
    s.http = &http;
    s.fileDialog = &fileDialog;

    useErrorWindowForm();
    PanelWindows windows;
    setProgramWindows(&windows);

    installSessionEndHandlers();
    if (!Main(QApplication::arguments().mid(1)))
        return 0;
    return QApplication::exec();
}
