#include "platform/Services.h"

#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/Connectivity.h"
#include "platform/DriveTypes.h"
#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/Help.h"
#include "platform/Http.h"
#include "platform/Launcher.h"
#include "platform/Random.h"
#include "platform/RefusingDesktop.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"

#include <QTemporaryDir>

namespace {

struct StandIns {
    StandIns() {
        folders = FixedFolders::under(root.path());
        http.updateServer.clear();
    }
    ManualClock clock;
    SequenceRandom random{{0.5}};
    MemoryRegistry registry;
    FixedScreen screen;
    CountingBeeper beeper;
    QTemporaryDir root;
    FixedFolders folders;
    FixedDriveClassifier drives;
    RecordingShell shell;
    RefusingDesktop desktop{QStringLiteral("none"),
                            QStringLiteral("no desktop was set up to show the wallpaper")};
    FakeSingleInstance instance;
    RecordingLauncher launcher;
    RecordingHelp help;
    ScriptedConnectivity connectivity;
    Http http;
    ScriptedFileDialog fileDialog;
};

} // namespace

Services standInServices() {
    static StandIns s;
    Services out;
    out.clock = &s.clock;
    out.random = &s.random;
    out.registry = &s.registry;
    out.screen = &s.screen;
    out.beeper = &s.beeper;
    out.folders = &s.folders;
    out.drives = &s.drives;
    out.shell = &s.shell;
    out.desktop = &s.desktop;
    out.instance = &s.instance;
    out.launcher = &s.launcher;
    out.help = &s.help;
    out.connectivity = &s.connectivity;
    out.http = &s.http;
    out.fileDialog = &s.fileDialog;
    return out;
}

Services& services() {
    static Services instance = standInServices();
    return instance;
}
