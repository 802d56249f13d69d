#include "engine/ProgramState.h"
#include "gui/forms/frmEndProg.h"
#include "gui/forms/frmSplash.h"
#include "runtime/Dates.h"
#include "tests/common/WriteFaults.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/gui/test_life_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

class StartUpTest : public LifeTest {
protected:
    // Answers the exit question once it is up.
    void answerExitQuestion(bool ok, std::optional<bool> restart = std::nullopt) {
        QTimer::singleShot(0, [this, ok, restart] {
            auto* q = qobject_cast<frmEndProg*>(QApplication::activeModalWidget());
            if (!q) {
                ADD_FAILURE() << "no exit question";
                return;
            }
            questionAsked = true;
            if (restart && q->Check1->isChecked() != *restart)
                q->Check1->click();
            (ok ? q->cmdOK : q->cmdCancel)->click();
        });
    }
    bool questionAsked = false;
};

TEST(CommandLine, OnlyTheWholeSwitchKeepsTheProgramInTheTray) {
    const struct {
        QStringList arguments;
        bool silent;
    } cases[] = {{{"-SILENT"}, true},       {{"-silent"}, true}, {{"-Silent"}, true},
                 {{"-SILENT", "x"}, false}, {{}, false},         {{"/SILENT"}, false},
                 {{"-SILENT "}, false}};
    for (const auto& c : cases)
        EXPECT_EQ(isSilentStart(c.arguments), c.silent) << c.arguments.join(u'|').toStdString();
}

TEST(SplashWait, EndsMoreThanThreeSecondsAfterTheStartSecond) {
    const struct {
        int16_t start;
        int closes;
    } cases[] = {{58, 2}, {10, 14}, {57, 1}, {59, 3}, {0, 4}};
    for (const auto& c : cases) {
        int16_t start = c.start;
        int second = c.start;
        while (!splashTimeIsUp(start, second))
            second = (second + 1) % 60;
        EXPECT_EQ(second, c.closes) << "started at " << c.start;
    }
}

TEST_F(StartUpTest, TheSplashWaitServesEventsUntilItsTimeIsUp) {
    env.clock.set(makeDateTime(2024, 3, 4, 10, 7, 58));
    int ticks = 0;
    QTimer second;
    QObject::connect(&second, &QTimer::timeout, [&] {
        ++ticks;
        env.clock.advanceSeconds(1);
    });
    second.start(5);
    waitOutSplash(58);
    EXPECT_EQ(env.clock.now().time().second(), 2);
    EXPECT_EQ(ticks, 4);
}

TEST_F(StartUpTest, TheSplashNamesTheProductVersionAndMaker) {
    EXPECT_EQ(frmSplash::versionText(2, 0, 1), QStringLiteral("Version 2.0.1"));
    EXPECT_EQ(frmSplash::versionText(1, 12, 0), QStringLiteral("Version 1.12.0"));
    QPointer<frmSplash> splash = new frmSplash;
    EXPECT_EQ(splash->lblCompanyProduct->text(), QStringLiteral("Tapestrel"));
    EXPECT_TRUE(splash->lblVersion->text().startsWith(QStringLiteral("Version ")));
    EXPECT_EQ(splash->Label1->text(), QStringLiteral("Orlevane"));
    splash->show();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(splash, &key);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(splash); // any key takes it down

    splash = new frmSplash;
    splash->show();
    splash->Frame1_Click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(splash);
}

TEST_F(StartUpTest, TheExitWindowMirrorsAndSetsAutomaticRestart) {
    for (bool restart : {true, false}) {
        Options.AutoRestart = restart;
        frmEndProg q;
        EXPECT_TRUE(q.Cancelled);
        EXPECT_EQ(q.Check1->isChecked(), restart);
        EXPECT_EQ(q.Check1->text(), QStringLiteral("Automatically restart on reboot"));
        EXPECT_TRUE(q.cmdOK->isDefault());
        q.Check1->click();
        EXPECT_EQ(Options.AutoRestart, !restart);
        q.cmdOK->click();
        EXPECT_FALSE(q.Cancelled);
        q.cmdCancel->click();
        EXPECT_TRUE(q.Cancelled);
    }
}

TEST_F(StartUpTest, ASecondCopyHandsOverBeforeLoadingAnything) {
    instance.running = true;
    EXPECT_FALSE(Main({QStringLiteral("-SILENT")}));
    ASSERT_EQ(instance.sent.size(), 1);
    EXPECT_EQ(instance.sent[0],
              (InstanceMessage{mainmsg::TrayCallback, 0, mainmsg::ShowPanelParam}));
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(tray.adds, 0);
    EXPECT_FALSE(runValue()); // not even the start-at-logon value is written
    EXPECT_FALSE(option(QStringLiteral("PrivateMagicListPath")));
}

TEST_F(StartUpTest, ASilentStartShowsTheDueEntryOrTheActiveOne) {
    const struct {
        int16_t active;
        bool due;
        int16_t shown;
    } cases[] = {{2, true, 0}, {2, false, 2}, {0, true, 1}, {0, false, 0}};
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        makeList(3, c.active);
        ActiveMagicList.SetSchUpdateOption(c.due ? 0 : 3);
        ActiveMagicList.SetSchInterval(60);
        ActiveMagicList.Save();
        env.registry.setValue(Hive::CurrentUser,
                              QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"),
                              QStringLiteral("ActiveList"), ActiveMagicList.GetFilePath());
        env.registry.setValue(Hive::CurrentUser,
                              QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"),
                              QStringLiteral("LastUpdateTime"), QStringLiteral("1/1/2000"));
        ASSERT_TRUE(Main({QStringLiteral("-silent")}));
        EXPECT_EQ(ActiveMagicList.GetActiveEntry(), c.shown) << c.active << (c.due ? " due" : "");
        EXPECT_EQ(desktop.applied.size(), 1);
        EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 0);
        ASSERT_NE(MainForm, nullptr);
        EXPECT_TRUE(tray.shown);
        EXPECT_TRUE(MainForm->Timer1->isActive());
    }
}

TEST_F(StartUpTest, AnEmptyListOpensThePanelWhenThePromptIsOn) {
    for (bool prompt : {true, false}) {
        TearDown();
        SetUp();
        env.registry.setValue(Hive::CurrentUser,
                              QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"),
                              QStringLiteral("ShowEmptyDialog"),
                              prompt ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        ASSERT_TRUE(Main({QStringLiteral("-SILENT")}));
        EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), prompt ? 1 : 0);
        EXPECT_TRUE(desktop.applied.isEmpty());
        EXPECT_EQ(ActiveMagicList.GetListName(), QStringLiteral("My Magic List"));
    }
}

TEST_F(StartUpTest, AStartByHandShowsTheSplashAndOpensThePanel) {
    env.clock.set(makeDateTime(2024, 3, 4, 10, 7, 10));
    QTimer second;
    QObject::connect(&second, &QTimer::timeout, [&] { env.clock.advanceSeconds(1); });
    second.start(5);
    bool splashSeen = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            splashSeen = splashSeen || (qobject_cast<frmSplash*>(w) && w->isVisible());
    });
    look.start(1);
    makeList(1);
    ASSERT_TRUE(Main({}));
    EXPECT_TRUE(splashSeen);
    EXPECT_GE(env.clock.now().time().second(), 14);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<frmSplash*>(w) && w->isVisible());
    EXPECT_EQ(windows.count(QStringLiteral("ControlPanel")), 1);
}

TEST_F(StartUpTest, ExitSavesTheListFirstAndCancelKeepsTheProgramRunning) {
    makeList(2);
    ActiveMagicList.Save();
    loadForm();
    Options.AutoRestart = true;
    env.registry.setValue(Hive::CurrentUser,
                          QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                          QStringLiteral("Tapestrel"), QStringLiteral("x"));
    ActiveMagicList.SetEntryName(1, QStringLiteral("renamed"));
    answerExitQuestion(false, false);
    EndProgram(true);
    EXPECT_TRUE(questionAsked);
    EXPECT_EQ(savedList().GetEntryName(1), QStringLiteral("renamed"));
    EXPECT_FALSE(ProgramEnding());
    ASSERT_NE(MainForm, nullptr);
    EXPECT_TRUE(tray.shown);
    EXPECT_TRUE(runValue());
    EXPECT_FALSE(Options.AutoRestart); // the cleared box stays cleared
}

TEST_F(StartUpTest, ExitWithOkKeepsTheRunValueOnlyWhenRestartIsTicked) {
    for (bool restart : {true, false}) {
        TearDown();
        SetUp();
        makeList(1);
        loadForm();
        env.registry.setValue(Hive::CurrentUser,
                              QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                              QStringLiteral("Tapestrel"), QStringLiteral("x"));
        answerExitQuestion(true, restart);
        EndProgram(true);
        EXPECT_TRUE(ProgramEnding());
        EXPECT_EQ(MainForm, nullptr);
        EXPECT_FALSE(tray.shown);
        EXPECT_TRUE(instance.released);
        EXPECT_EQ(runValue().has_value(), restart);
        EXPECT_EQ(option(QStringLiteral("ShowEmptyDialog")), QStringLiteral("TRUE"));
    }
}

TEST_F(StartUpTest, ExitWithTheBoxTickedAgainWritesTheRunValueThatTheStartRemoved) {
    makeList(1);
    Options.AutoRestart = false;
    UpdateStartAtLogon(); // as a start with automatic restart off leaves it
    ASSERT_FALSE(runValue());
    loadForm();
    answerExitQuestion(true, true);
    EndProgram(true);
    EXPECT_TRUE(Options.AutoRestart);
    EXPECT_EQ(runValue(), startAtLogonCommand());
    EXPECT_TRUE(runValue()->endsWith(QStringLiteral(" -SILENT")));
}

TEST_F(StartUpTest, ExitClosesTheDropWindowAfterTheRunValueAndBeforeTheSettings) {
    makeList(1);
    loadForm();
    Options.AutoRestart = false;
    env.registry.setValue(Hive::CurrentUser,
                          QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                          QStringLiteral("Tapestrel"), QStringLiteral("x"));
    ShowDropWindow();
    ASSERT_TRUE(DropWindow);
    bool runGone = false, settingsWritten = true, formAlive = false;
    QObject::connect(DropWindow.data(), &QObject::destroyed, [&] {
        runGone = !runValue();
        settingsWritten = option(QStringLiteral("Border")).has_value();
        formAlive = MainForm != nullptr;
    });
    EndProgram(false);
    EXPECT_TRUE(runGone);
    EXPECT_FALSE(settingsWritten);
    EXPECT_TRUE(formAlive);
    EXPECT_EQ(option(QStringLiteral("Border")), QStringLiteral("0"));
}

TEST_F(StartUpTest, ASignalDuringTheExitQuestionEndsWithoutIt) {
    installSessionEndHandlers();
    makeList(1);
    loadForm();
    ActiveMagicList.SetEntryName(0, QStringLiteral("changed"));
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    // Should the signal not end the question, the test must not hang in it.
    // The watchdog dies with the test, so that it never meets a later one's
    // window.
    QObject watchdog;
    QTimer::singleShot(3000, &watchdog, [] {
        if (auto* q = qobject_cast<frmEndProg*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the question stayed up";
            q->cmdCancel->click();
        }
    });
    EndProgram(true);
    EXPECT_TRUE(ProgramEnding());
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(savedList().GetEntryName(0), QStringLiteral("changed"));
    EXPECT_EQ(option(QStringLiteral("ShowEmptyDialog")), QStringLiteral("TRUE"));
}

// What the program writes to standard error while it lives.
class StandardErrorCapture {
public:
    StandardErrorCapture() {
        std::fflush(stderr);
        saved_ = ::dup(2);
        file_ = std::tmpfile();
        ::dup2(::fileno(file_), 2);
    }
    ~StandardErrorCapture() {
        restore();
        std::fclose(file_);
    }
    QString text() {
        restore();
        std::rewind(file_);
        QByteArray bytes;
        char buffer[4096];
        while (const size_t n = std::fread(buffer, 1, sizeof buffer, file_))
            bytes.append(buffer, qsizetype(n));
        return QString::fromUtf8(bytes);
    }

private:
    void restore() {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    int saved_ = -1;
    std::FILE* file_ = nullptr;
};

TEST_F(StartUpTest, ASignalWhoseSaveFailsTellsStandardErrorAndStillSavesTheRest) {
    installSessionEndHandlers();
    makeList(2);
    loadForm();
    ActiveMagicList.SetEntryName(0, QStringLiteral("changed"));
    WriteWatch watch(ActiveMagicList.GetFilePath());
    watch.failAt(WriteStep::Open, EACCES);
    StandardErrorCapture captured;
    std::raise(SIGTERM);
    // Should the end wait for someone, the test must not hang in it.
    QObject watchdog;
    QTimer::singleShot(3000, &watchdog, [] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a window waits for an answer";
            w->hide();
        }
    });
    ASSERT_TRUE(waitFor([] { return ProgramEnding(); }, 5000));
    EXPECT_EQ(captured.text(), QStringLiteral("Tapestrel: Permission denied\n"));
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(savedList().GetEntryName(0), QStringLiteral("A"));
    EXPECT_EQ(option(QStringLiteral("ShowEmptyDialog")), QStringLiteral("TRUE"));
    EXPECT_EQ(ThisRun.unattendedReports, 1); // the status is 1
}

TEST_F(StartUpTest, ExitFromTheMenuStillTellsTheUserWhatCouldNotBeSaved) {
    makeList(1);
    loadForm();
    WriteWatch watch(ActiveMagicList.GetFilePath());
    watch.failAt(WriteStep::Open, EACCES);
    EndProgram(false);
    EXPECT_EQ(env.errors.messages(), QStringList{QStringLiteral("Permission denied")});
    EXPECT_TRUE(ProgramEnding());
}

} // namespace
