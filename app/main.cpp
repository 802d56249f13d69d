#include "engine/Options.h"
#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/DriveTypes.h"
#include "platform/FileRegistry.h"
#include "platform/Folders.h"
#include "platform/Random.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tapestrel"));
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock clock;
    SystemRandom random;
    SystemFolders folders;
    FileRegistry registry(
        FileRegistry::standardLocations(folders.programFolder(), folders.programFilePath()));
    QtScreen screen;
    SystemBeeper beeper;
    MountDriveClassifier drives;
    DesktopShell shell;

    Services& s = services();
    s.clock = &clock;
    s.random = &random;
    s.registry = &registry;
    s.screen = &screen;
    s.beeper = &beeper;
    s.folders = &folders;
    s.drives = &drives;
    s.shell = &shell;

    LoadOptions();
    QTextStream(stdout) << "Tapestrel: settings loaded and saved; lists in "
                        << Options.PrivateMagicListPath << " and " << Options.PublicMagicListPath
                        << "\n";
    return 0;
}
