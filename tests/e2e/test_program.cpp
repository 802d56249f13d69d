#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "tests/common/PictureKit.h"
#include "tests/common/SmallFilesystem.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/e2e/SessionManagerStandIn.h"
#include "tests/e2e/StartupNotices.h"
#include "tests/e2e/TopWindows.h"
#include "tests/xvfb/RootWindowProbe.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

const QString kSilent = QStringLiteral("-SILENT");

// Clicks the left mouse button at a point of the screen, as a user does.
bool clickAt(QPoint at) {
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("mousemove"), QString::number(at.x()),
                              QString::number(at.y()), QStringLiteral("click"),
                              QStringLiteral("1")}) == 0;
}

// A point of a window given in twips from its top-left corner (or, for a
// negative y, up from its bottom edge); the window's width in twips gives
// the screen's twips per pixel.
QPoint pointOf(const QRect& window, int widthTwips, int xTwips, int yTwips) {
    const double twipsPerPixel = double(widthTwips) / window.width();
    const int x = window.left() + qRound(xTwips / twipsPerPixel);
    const int y = yTwips >= 0 ? window.top() + qRound(yTwips / twipsPerPixel)
                              : window.bottom() + 1 + qRound(yTwips / twipsPerPixel);
    return {x, y};
}

// Every file and folder under a folder, with its size and time, links as
// links: what a run must leave as it was.
QStringList filesUnder(const QString& folder) {
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo& f = it.fileInfo();
        if (f.isSymLink())
            out << f.filePath() + QStringLiteral(" -> ") + f.symLinkTarget();
        else
            out << f.filePath() + u' ' + QString::number(f.size()) + u' ' +
                       f.lastModified().toString(Qt::ISODateWithMs);
    }
    out.sort();
    return out;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!probe.connected())
            GTEST_SKIP() << "no X display";
        ASSERT_TRUE(world.ok());
        // Lists are written with the program's own code, into the world's
        // private folder.
        Options.PrivateMagicListPath = world.privateLists();
        QDir().mkpath(world.privateLists());
    }

    QString picture(const QString& name, QRgb colour) {
        return saveImage(solidImage(QSize(200, 100), QColor(colour)),
                         world.home() + QStringLiteral("/") + name + QStringLiteral(".png"));
    }
    // A centred list of two solid pictures, the first active; `due` makes
    // the schedule ask for a change at once.
    QString prepareList(bool due) {
        clsMagicList list;
        list.SetListName(QStringLiteral("Colours"));
        list.SetSchUpdateOption(due ? 0 : 3);
        list.SetSchInterval(60);
        list.AddItem(picture(QStringLiteral("red"), qRgb(220, 30, 30)), int32_t(0x00804020),
                     int16_t(2));
        list.AddItem(picture(QStringLiteral("green"), qRgb(30, 200, 60)), int32_t(0x00804020),
                     int16_t(2));
        list.SetActiveEntry(0);
        EXPECT_TRUE(list.Save());
        return list.GetFilePath();
    }
    void writeSettings(const QString& activeList) {
        QDir().mkpath(QFileInfo(world.userHive()).absolutePath());
        QFile f(world.userHive());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Windows Registry Editor Version 5.00\r\n\r\n"
                "[HKEY_CURRENT_USER\\Software\\Orlevane\\Tapestrel\\Options]\r\n"
                "\"ActiveList\"=\"" +
                activeList.toUtf8() +
                "\"\r\n"
                "\"LastUpdateTime\"=\"1/1/2000 12:00:00 PM\"\r\n"
                "\"DisplayMMessage\"=\"FALSE\"\r\n"
                "\"Border\"=\"0\"\r\n\r\n");
    }
    // Starts a copy for the tray on a list of two, then removes the list
    // file and the settings: whatever is there after the copy has ended
    // was written by its stop. Empty when the copy did not start.
    std::unique_ptr<ProgramRun> startThenRemoveItsFiles(QString& listFile) {
        listFile = prepareList(false);
        writeSettings(listFile);
        auto run = std::make_unique<ProgramRun>(world, QStringList{kSilent});
        if (!run->waitForLog(QStringLiteral("started"))) {
            ADD_FAILURE() << "not started: " << run->log().toStdString();
            return nullptr;
        }
        EXPECT_TRUE(QFile::remove(listFile));
        EXPECT_TRUE(QFile::remove(world.userHive()));
        return run;
    }
    // Starts a copy for the tray on lists that then turn read-only under
    // it, as a folder of another user or a full disk refuses the list; the
    // settings are removed, so that what is there afterwards was saved by
    // the end. Empty when the copy did not start.
    // `skip` says why when the lists' file system cannot be made.
    std::unique_ptr<ProgramRun> startOnListsThatTurnReadOnly(QByteArray& listBytes, QString& skip) {
        lists_ = std::make_unique<SmallFilesystem>(world.privateLists(), 1024);
        if (!lists_->mounted()) {
            skip = lists_->why();
            return nullptr;
        }
        const QString listFile = prepareList(false);
        writeSettings(listFile);
        auto run = std::make_unique<ProgramRun>(world, QStringList{kSilent});
        if (!run->waitForLog(QStringLiteral("started"))) {
            ADD_FAILURE() << "not started: " << run->log().toStdString();
            return nullptr;
        }
        EXPECT_TRUE(lists_->setReadOnly(true));
        listBytes = fileBytes(listFile);
        EXPECT_TRUE(QFile::remove(world.userHive()));
        return run;
    }
    void expectSaved(const QString& listFile) {
        clsMagicList saved;
        ASSERT_EQ(saved.loadQuietly(listFile), 0);
        EXPECT_EQ(saved.GetListName(), QStringLiteral("Colours"));
        EXPECT_EQ(saved.GetCount(), 2);
        EXPECT_TRUE(
            hiveHas(world.userHive(), QStringLiteral("ShowEmptyDialog"), QStringLiteral("TRUE")));
        EXPECT_TRUE(hiveHas(world.userHive(), QStringLiteral("PrivateMagicListPath"),
                            world.privateLists()));
    }
    void stop(ProgramRun& run) {
        run.signal(SIGTERM);
        EXPECT_TRUE(run.waitForEnd());
    }
    // The command the start-at-logon file runs, as its Exec line says it.
    QString startAtLogon() const {
        QFile f(world.home() + QStringLiteral("/.config/autostart/Tapestrel.desktop"));
        if (!f.open(QIODevice::ReadOnly))
            return QStringLiteral("(no start-at-logon file)");
        for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
            if (line.startsWith(QStringLiteral("Exec=")))
                return line.mid(5);
        }
        return QStringLiteral("(no Exec line)");
    }

    RootWindowProbe probe;
    TestEnvironment env;
    ProgramWorld world;
    // Unmounted before the world's folders go.
    std::unique_ptr<SmallFilesystem> lists_;
};

TEST_F(ProgramTest, ASilentStartShowsTheDueEntry) {
    const QString listFile = prepareList(true);
    writeSettings(listFile);
    ProgramRun run(world, {kSilent});
    ASSERT_TRUE(run.waitForLog(QStringLiteral("started"))) << run.log().toStdString();
    EXPECT_TRUE(hiveHas(world.userHive(), QStringLiteral("ActiveItem"), QStringLiteral("1")));

    const QString bitmap = world.documents() + QStringLiteral("/ZOZ.bmp");
    const QImage zoz(bitmap);
    ASSERT_EQ(zoz.size(), QSize(200, 100));
    EXPECT_EQ(zoz.pixel(100, 50), qRgb(30, 200, 60));
    EXPECT_TRUE(hiveHas(world.userHive(), QStringLiteral("Wallpaper"), bitmap));
    EXPECT_TRUE(hiveHas(world.userHive(), QStringLiteral("LastFile"),
                        world.home() + QStringLiteral("/green.png")));
    EXPECT_TRUE(
        hiveHas(world.userHive(), QStringLiteral("Background"), QStringLiteral("32 64 128")));
    EXPECT_TRUE(hiveHas(world.userHive(), QStringLiteral("ActiveList"), listFile));

    const QImage screen = probe.grab();
    const QSize size = probe.size();
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(screen.pixel(size.width() / 2, size.height() / 2), qRgb(30, 200, 60));
    EXPECT_EQ(screen.pixel(0, 0), qRgb(0x20, 0x40, 0x80));

    clsMagicList saved;
    ASSERT_EQ(saved.loadQuietly(listFile), 0);
    EXPECT_EQ(saved.GetActiveEntry(), 1);
    stop(run);
}

TEST_F(ProgramTest, ASecondStartHandsOverAndEndsAtOnce) {
    // A list that is shown at the start, so that the control panel the
    // later copies ask for has nothing new to note.
    writeSettings(prepareList(false));
    ProgramRun first(world, {kSilent});
    ASSERT_TRUE(first.waitForLog(QStringLiteral("started"))) << first.log().toStdString();
    QFile hive(world.userHive());
    ASSERT_TRUE(hive.open(QIODevice::ReadOnly));
    const QByteArray before = hive.readAll();
    hive.close();

    // There is no tray on this display: the message is the only way in.
    for (const QStringList& arguments : {QStringList{}, QStringList{kSilent}}) {
        ProgramRun second(world, arguments);
        ASSERT_TRUE(second.waitForEnd(5000));
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_TRUE(second.log().contains(QStringLiteral("a copy already runs")));
        EXPECT_FALSE(second.log().contains(QStringLiteral("started")));
    }
    EXPECT_TRUE(first.waitForLog(QStringLiteral("message from a later copy: 1025 0 -32767")));
    EXPECT_EQ(first.log().count(QStringLiteral("message from a later copy")), 2);
    ASSERT_TRUE(hive.open(QIODevice::ReadOnly));
    EXPECT_EQ(hive.readAll(), before); // the later copies wrote nothing
    stop(first);
}

// A start through a link (the "tapestrel" command of an installed copy)
// opens the files beside the program itself, and the next logon runs the
// command the user ran.
TEST_F(ProgramTest, AStartThroughALinkUsesTheProgramsFolderAndLogsOnThroughTheLink) {
    writeSettings(prepareList(false));
    const QString bin = world.home() + QStringLiteral("/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString link = bin + QStringLiteral("/tapestrel");
    ASSERT_TRUE(QFile::link(world.program(), link));
    ProgramRun run(world, link, {kSilent});
    ASSERT_TRUE(run.waitForLog(QStringLiteral("started"))) << run.log().toStdString();
    EXPECT_EQ(startAtLogon(), u'"' + link + QStringLiteral("\" -SILENT"));
    // The machine settings and the public lists are the program's own.
    EXPECT_TRUE(
        QFileInfo(world.programFolder() + QStringLiteral("/HKEY_LOCAL_MACHINE.reg")).isFile());
    EXPECT_TRUE(QFileInfo(world.programFolder() + QStringLiteral("/Magic Lists")).isDir());
    EXPECT_EQ(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{QStringLiteral("tapestrel")});
    stop(run);
    EXPECT_EQ(startAtLogon(), u'"' + link + QStringLiteral("\" -SILENT"));
}

// A start from the menu comes with a startup notice (the launcher's busy
// feedback); when that start hands over to the running copy, the running
// copy ends the notice, whether its panel opens or was open already.
TEST_F(ProgramTest, ASecondStartsStartupNoticeIsEndedByTheRunningCopy) {
    StartupNotices notices;
    ASSERT_TRUE(notices.connected());
    writeSettings(prepareList(false));
    ProgramRun first(world, {kSilent});
    ASSERT_TRUE(first.waitForLog(QStringLiteral("started"))) << first.log().toStdString();
    for (const QByteArray& id :
         {QByteArray("menu-1-test_TIME1000"), QByteArray("menu-2-test_TIME2000")}) {
        world.extraEnvironment[QStringLiteral("DESKTOP_STARTUP_ID")] = QString::fromLatin1(id);
        ProgramRun second(world, {});
        ASSERT_TRUE(second.waitForEnd(5000));
        EXPECT_TRUE(second.log().contains(QStringLiteral("a copy already runs")));
        EXPECT_TRUE(waitFor([&] { return notices.messages().contains("remove: ID=" + id); },
                            kProgramWaitMs))
            << id.constData() << ": " << notices.messages().join('|').constData();
    }
    world.extraEnvironment.clear();
    stop(first);
}

// The installed program, as `cmake --install` lays it out (in a staging
// folder that scripts/check-install makes), started through its bin link:
// the wallpaper is set, and what it writes lies where the layout says,
// nothing in the program's own folder.
TEST_F(ProgramTest, TheInstalledProgramStartedThroughItsLinkSetsTheWallpaper) {
    const QString stage = qEnvironmentVariable("TAPESTREL_STAGED_INSTALL");
    if (stage.isEmpty())
        GTEST_SKIP() << "no staged install to start: scripts/check-install stages one and names "
                        "it in TAPESTREL_STAGED_INSTALL";
    // "/" names the real install of the package.
    const QString link = QDir::cleanPath(stage + QStringLiteral("/usr/bin/tapestrel"));
    const QString program = QDir::cleanPath(stage + QStringLiteral("/usr/lib/tapestrel"));
    const QString data = QDir::cleanPath(stage + QStringLiteral("/var/lib/tapestrel"));
    ASSERT_TRUE(QFileInfo(link).isSymLink());
    ASSERT_TRUE(QFileInfo(program + QStringLiteral("/help/contents.html")).isFile());
    ASSERT_FALSE(QDir(program + QStringLiteral("/Images/Samples")).isEmpty());
    world.useProgram(link);
    const QStringList before = filesUnder(program);

    writeSettings(prepareList(true));
    ProgramRun run(world, {kSilent});
    ASSERT_TRUE(run.waitForLog(QStringLiteral("started"))) << run.log().toStdString();
    const QImage zoz(world.documents() + QStringLiteral("/ZOZ.bmp"));
    ASSERT_EQ(zoz.size(), QSize(200, 100));
    EXPECT_EQ(zoz.pixel(100, 50), qRgb(30, 200, 60));
    const QImage screen = probe.grab();
    EXPECT_EQ(screen.pixel(probe.size().width() / 2, probe.size().height() / 2), qRgb(30, 200, 60));
    EXPECT_EQ(startAtLogon(), u'"' + link + QStringLiteral("\" -SILENT"));
    stop(run);

    // A user who may write the data folder (root) wrote the machine
    // settings there, through the program folder's link.
    if (::access(QFile::encodeName(data).constData(), W_OK) == 0) {
        EXPECT_TRUE(QFileInfo(data + QStringLiteral("/HKEY_LOCAL_MACHINE.reg")).isFile());
        EXPECT_TRUE(hiveHas(data + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"),
                            QStringLiteral("PublicMagicListPath"),
                            program + QStringLiteral("/Magic Lists/")));
    }
    EXPECT_EQ(filesUnder(program), before);
}

TEST_F(ProgramTest, AStartForTheDesktopShowsTheControlPanel) {
    const QString caption = QStringLiteral("Tapestrel Control Panel");
    TopWindows windows;
    ASSERT_TRUE(windows.connected());
    writeSettings(prepareList(false));
    ProgramRun first(world, {});
    ASSERT_TRUE(first.waitForLog(QStringLiteral("started"), 15000)) << first.log().toStdString();
    ASSERT_TRUE(waitFor([&] { return windows.shown(caption); }, kProgramWaitMs))
        << first.log().toStdString();

    // The run's first panel brings the overview up over it.
    const QString overview = QStringLiteral("An Overview of Tapestrel:");
    ASSERT_TRUE(waitFor([&] { return windows.shown(overview); }, kProgramWaitMs));
    ASSERT_TRUE(windows.close(overview));
    ASSERT_TRUE(waitFor([&] { return !windows.shown(overview); }, kProgramWaitMs));

    // Closed by its close box, the panel goes; the program stays.
    ASSERT_TRUE(windows.close(caption));
    ASSERT_TRUE(waitFor([&] { return !windows.shown(caption); }, kProgramWaitMs));
    EXPECT_FALSE(first.waitForEnd(500));

    // A second start brings it up again.
    ProgramRun second(world, {});
    ASSERT_TRUE(second.waitForEnd(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitFor([&] { return windows.shown(caption); }, kProgramWaitMs))
        << first.log().toStdString();
    // Once a run is enough.
    EXPECT_FALSE(waitFor([&] { return windows.shown(overview); }, 1000));
    stop(first);
    EXPECT_EQ(first.exitCode(), 0);
}

class SignalTest : public ProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(SignalTest, SavesTheListAndTheSettingsWithoutAsking) {
    QString listFile;
    const std::unique_ptr<ProgramRun> run = startThenRemoveItsFiles(listFile);
    ASSERT_TRUE(run);

    run->signal(GetParam());
    ASSERT_TRUE(run->waitForEnd(5000)) << "still running: " << run->log().toStdString();
    EXPECT_FALSE(run->crashed());
    EXPECT_EQ(run->exitCode(), 0);
    EXPECT_TRUE(run->log().contains(QStringLiteral("ended")));
    expectSaved(listFile);
}

INSTANTIATE_TEST_SUITE_P(TermInterruptAndHangUp, SignalTest,
                         ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(ProgramTest, ASignalWhoseListCannotBeSavedEndsAtOnceAndSaysSo) {
    QByteArray before;
    QString skip;
    const std::unique_ptr<ProgramRun> run = startOnListsThatTurnReadOnly(before, skip);
    if (!skip.isEmpty())
        GTEST_SKIP() << skip.toStdString();
    ASSERT_TRUE(run);

    run->signal(SIGTERM);
    ASSERT_TRUE(run->waitForEnd(5000)) << "still running: " << run->log().toStdString();
    EXPECT_FALSE(run->crashed());
    EXPECT_EQ(run->exitCode(), 1);
    EXPECT_TRUE(run->log().contains(QStringLiteral("Tapestrel: Permission denied")))
        << run->log().toStdString();
    EXPECT_EQ(fileBytes(world.privateLists() + QStringLiteral("MList1.MLS")), before);
    // The settings were saved all the same.
    EXPECT_TRUE(
        hiveHas(world.userHive(), QStringLiteral("ShowEmptyDialog"), QStringLiteral("TRUE")));
}

TEST_F(ProgramTest, ALogoutWhoseListCannotBeSavedNeverWaitsAndSaysSo) {
    SessionManagerStandIn manager;
    if (manager.address().isEmpty())
        GTEST_SKIP() << "no session manager of the test's own: " << manager.problem().toStdString();
    world.sessionManager = manager.address();
    QByteArray before;
    QString skip;
    const std::unique_ptr<ProgramRun> run = startOnListsThatTurnReadOnly(before, skip);
    if (!skip.isEmpty())
        GTEST_SKIP() << skip.toStdString();
    ASSERT_TRUE(run);
    ASSERT_TRUE(waitFor([&] { return manager.events().contains(QStringLiteral("done")); }))
        << manager.events().join(u' ').toStdString() << run->log().toStdString();

    // The save before the logout is done without a window in the way.
    const qsizetype saves = manager.events().count(QStringLiteral("done"));
    manager.saveYourself(true);
    ASSERT_TRUE(
        waitFor([&] { return manager.events().count(QStringLiteral("done")) > saves; }, 5000))
        << manager.events().join(u' ').toStdString() << run->log().toStdString();
    EXPECT_TRUE(run->log().contains(QStringLiteral("Tapestrel: Permission denied")))
        << run->log().toStdString();
    EXPECT_TRUE(
        hiveHas(world.userHive(), QStringLiteral("ShowEmptyDialog"), QStringLiteral("TRUE")));

    manager.die();
    ASSERT_TRUE(run->waitForEnd(5000)) << "still running: " << run->log().toStdString();
    EXPECT_FALSE(run->crashed());
}

TEST_F(ProgramTest, WhenTheDisplayGoesAwayTheListAndTheSettingsAreStillSaved) {
    OwnDisplay display;
    if (display.name().isEmpty())
        GTEST_SKIP() << "no X server of the test's own";
    world.display = display.name();
    QString listFile;
    const std::unique_ptr<ProgramRun> run = startThenRemoveItsFiles(listFile);
    ASSERT_TRUE(run);

    display.end();
    ASSERT_TRUE(run->waitForEnd(10000)) << "still running: " << run->log().toStdString();
    EXPECT_FALSE(run->crashed()) << run->log().toStdString();
    EXPECT_TRUE(run->log().contains(QStringLiteral("saved on the way out")));
    expectSaved(listFile);
}

TEST_F(ProgramTest, TheSessionManagerIsToldNeverToRestartItAndItsSaveRequestSaves) {
    SessionManagerStandIn manager;
    if (manager.address().isEmpty())
        GTEST_SKIP() << "no session manager of the test's own: " << manager.problem().toStdString();
    world.sessionManager = manager.address();
    QString listFile;
    const std::unique_ptr<ProgramRun> run = startThenRemoveItsFiles(listFile);
    ASSERT_TRUE(run);

    // Registered, and its first save set its properties.
    ASSERT_TRUE(waitFor([&] { return manager.events().contains(QStringLiteral("done")); }))
        << manager.events().join(u' ').toStdString() << run->log().toStdString();
    EXPECT_EQ(manager.clients(), 1);
    EXPECT_EQ(manager.cardinalProperty(QStringLiteral("RestartStyleHint")),
              SessionManagerStandIn::kRestartNever);

    // Before a logout: the save request saves, and the hint stays.
    const qsizetype before = manager.events().count(QStringLiteral("done"));
    manager.saveYourself(true);
    ASSERT_TRUE(waitFor([&] { return manager.events().count(QStringLiteral("done")) > before; }))
        << manager.events().join(u' ').toStdString();
    EXPECT_EQ(manager.cardinalProperty(QStringLiteral("RestartStyleHint")),
              SessionManagerStandIn::kRestartNever);
    expectSaved(listFile);

    // The end of the session ends the program, without a question.
    manager.die();
    ASSERT_TRUE(run->waitForEnd(5000)) << "still running: " << run->log().toStdString();
    EXPECT_FALSE(run->crashed());
    EXPECT_EQ(run->exitCode(), 0);
}

TEST_F(ProgramTest, AStartWithNoListsCreatesMyMagicList) {
    ProgramRun run(world, {kSilent});
    ASSERT_TRUE(run.waitForLog(QStringLiteral("started"))) << run.log().toStdString();
    const QString listFile = world.privateLists() + QStringLiteral("MList1.MLS");
    clsMagicList made;
    ASSERT_EQ(made.loadQuietly(listFile), 0);
    EXPECT_EQ(made.GetListName(), QStringLiteral("My Magic List"));
    EXPECT_EQ(made.GetCount(), 0);
    // An empty list shows nothing and leaves the desktop alone.
    EXPECT_FALSE(QFile::exists(world.documents() + QStringLiteral("/ZOZ.bmp")));
    stop(run);
    EXPECT_EQ(run.exitCode(), 0);
}

TEST_F(ProgramTest, AnEmptyListTakesTheSamplesAndOKShowsTheFirst) {
    const QString offer = QStringLiteral("Add Wallpaper Images");
    const QString panel = QStringLiteral("Tapestrel Control Panel");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "no xdotool";
    TopWindows windows;
    ASSERT_TRUE(windows.connected());
    const QStringList samples = world.addSamples();
    ASSERT_FALSE(samples.isEmpty());
    // The overview would open over the panel at its first activation, at a
    // moment the clicks below can't foresee; it has tests of its own.
    QDir().mkpath(QFileInfo(world.userHive()).absolutePath());
    QFile hive(world.userHive());
    ASSERT_TRUE(hive.open(QIODevice::WriteOnly));
    hive.write("Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_CURRENT_USER\\Software\\Orlevane\\Tapestrel\\Options]\r\n"
               "\"ShowOverviewDialog\"=\"FALSE\"\r\n\r\n");
    hive.close();

    // A first start for the desktop: an empty list, and the panel offers
    // ways to fill it.
    ProgramRun run(world, {});
    ASSERT_TRUE(run.waitForLog(QStringLiteral("started"), 15000)) << run.log().toStdString();
    ASSERT_TRUE(waitFor([&] { return windows.shown(offer); }, kProgramWaitMs))
        << run.log().toStdString();
    ASSERT_TRUE(windows.shown(panel));

    // The samples are the way chosen at first: OK, and OK again under the
    // page that explains it (the button stays where it is).
    for (int page = 1; page <= 2; ++page) {
        const QRect dialog = windows.geometry(offer);
        ASSERT_FALSE(dialog.isEmpty());
        ASSERT_TRUE(clickAt(pointOf(dialog, 9960, 7290 + 607, 4380 + 187))) << page;
        // Two clicks in quick succession would be a double click.
        waitFor([] { return false; }, 700);
    }
    ASSERT_TRUE(waitFor([&] { return !windows.shown(offer); }, kProgramWaitMs))
        << run.log().toStdString();

    // OK on the panel: the first sample becomes the wallpaper.
    const QString bitmap = world.documents() + QStringLiteral("/ZOZ.bmp");
    EXPECT_FALSE(QFile::exists(bitmap));
    const QRect window = windows.geometry(panel);
    ASSERT_FALSE(window.isEmpty());
    ASSERT_TRUE(clickAt(pointOf(window, 8865, 3960 + 3330 + 675, -(5220 - 4755))));
    ASSERT_TRUE(waitFor([&] { return !windows.shown(panel); }, kProgramWaitMs))
        << run.log().toStdString();
    ASSERT_TRUE(waitFor([&] { return QFile::exists(bitmap); }, kProgramWaitMs));
    EXPECT_TRUE(hiveHas(world.userHive(), QStringLiteral("LastFile"), samples.first()));
    EXPECT_TRUE(hiveHas(world.userHive(), QStringLiteral("Wallpaper"), bitmap));

    // The list keeps the samples, the first one active (their paths are
    // kept under the public pictures folder of the program's copy).
    Options.PublicImagesPath = world.programFolder() + QStringLiteral("/Images/");
    clsMagicList list;
    ASSERT_EQ(list.loadQuietly(world.privateLists() + QStringLiteral("MList1.MLS")), 0);
    ASSERT_EQ(list.GetCount(), samples.size());
    EXPECT_EQ(list.GetEntryPath(0), samples.first());
    EXPECT_EQ(list.GetActiveEntry(), 0);

    // The screen shows the bitmap in its middle.
    const QImage zoz(bitmap);
    ASSERT_FALSE(zoz.isNull());
    const QSize size = probe.size();
    ASSERT_LE(zoz.width(), size.width());
    ASSERT_LE(zoz.height(), size.height());
    const QPoint offset((size.width() - zoz.width()) / 2, (size.height() - zoz.height()) / 2);
    const QImage screen = probe.grab();
    for (const QPoint at : {QPoint(zoz.width() / 2, zoz.height() / 2), QPoint(3, 3),
                            QPoint(zoz.width() - 4, zoz.height() - 4)})
        EXPECT_EQ(screen.pixel(offset + at), zoz.pixel(at)) << at.x() << "," << at.y();
    stop(run);
    EXPECT_EQ(run.exitCode(), 0);
}

TEST_F(ProgramTest, AFirstStartInAHomeWithoutDocumentsMakesTheFoldersAndTheList) {
    ASSERT_TRUE(QDir(world.documents()).removeRecursively());
    ProgramRun run(world, {kSilent});
    ASSERT_TRUE(run.waitForLog(QStringLiteral("started"))) << run.log().toStdString();
    clsMagicList made;
    EXPECT_EQ(made.loadQuietly(world.privateLists() + QStringLiteral("MList1.MLS")), 0);
    stop(run);

    // Every later start finds what the first one made.
    ProgramRun again(world, {kSilent});
    ASSERT_TRUE(again.waitForLog(QStringLiteral("started"))) << again.log().toStdString();
    EXPECT_FALSE(QFile::exists(world.privateLists() + QStringLiteral("MList2.MLS")));
    stop(again);
}

} // namespace
