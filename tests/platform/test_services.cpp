#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/Connectivity.h"
#include "platform/Desktop.h"
#include "platform/DriveTypes.h"
#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/Help.h"
#include "platform/Http.h"
#include "platform/Launcher.h"
#include "platform/Random.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A service nobody set answers, and what it answers changes nothing
// outside the process.
TEST(StandInServices, EveryServiceIsThereAndHarmless) {
    const Services s = standInServices();
    ASSERT_NE(s.clock, nullptr);
    ASSERT_NE(s.random, nullptr);
    ASSERT_NE(s.registry, nullptr);
    ASSERT_NE(s.screen, nullptr);
    ASSERT_NE(s.beeper, nullptr);
    ASSERT_NE(s.folders, nullptr);
    ASSERT_NE(s.drives, nullptr);
    ASSERT_NE(s.shell, nullptr);
    ASSERT_NE(s.desktop, nullptr);
    ASSERT_NE(s.instance, nullptr);
    ASSERT_NE(s.launcher, nullptr);
    ASSERT_NE(s.help, nullptr);
    ASSERT_NE(s.connectivity, nullptr);
    ASSERT_NE(s.http, nullptr);
    ASSERT_NE(s.fileDialog, nullptr);
    EXPECT_EQ(s.tray, nullptr); // the windows' own (programTray)

    // The desktop is not there: every wallpaper is refused with a reason.
    EXPECT_FALSE(s.desktop->apply(DesktopValues{}).isEmpty());
    // The folders are a temporary directory's, never the user's.
    const QString program = s.folders->programFolder();
    ASSERT_FALSE(program.isEmpty());
    EXPECT_TRUE(QFileInfo(program).isDir());
    // No connection, no update site, no other copy, a cancelled dialog.
    EXPECT_FALSE(s.connectivity->state().connected);
    EXPECT_TRUE(s.http->updateServer.isEmpty());
    EXPECT_TRUE(s.instance->claim({1025, 0, 0}));
    EXPECT_TRUE(s.fileDialog->chooseFiles(nullptr, QString(), QString()).isEmpty());
    // A program asked for is only noted, never started.
    auto* launcher = dynamic_cast<RecordingLauncher*>(s.launcher);
    ASSERT_NE(launcher, nullptr);
    const qsizetype before = launcher->started.size();
    s.launcher->start(QStringLiteral("/bin/true"), {});
    EXPECT_EQ(launcher->started.size(), before + 1);
}

TEST(StandInServices, TheServicesStartWithThem) {
    const Services saved = services();
    services() = standInServices();
    EXPECT_NE(services().clock, nullptr);
    EXPECT_EQ(services().desktop, standInServices().desktop);
    services() = saved;
}

} // namespace
