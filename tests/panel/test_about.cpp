// The about box: its texts and layout, the system-information tool it
// starts through the local machine's registry values, and the one box the
// run shares between the tray and the panel.

#include "panel/PanelWindows.h"
#include "panel/frmAbout.h"
#include "platform/InstalledPrograms.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString kFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { env.registry.setInstalledPrograms(&programs); }

    // A file named MSINFO32.EXE in a folder of its own.
    QString toolFolder() {
        env.writeFile(QStringLiteral("tools/MSINFO32.EXE"), "#!/bin/sh\n");
        return env.path(QStringLiteral("tools"));
    }

    TestEnvironment env;
    ListedPrograms programs;
};

TEST_F(AboutTest, NamesTheProductAndItsVersionBesideTheLogo) {
    frmAbout about;
    about.VersionMajor = 3;
    about.VersionMinor = 12;
    about.VersionRevision = 7;
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Tapestrel"));
    EXPECT_EQ(about.lblCompanyProduct->text(), QStringLiteral("Tapestrel"));
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version 3.12.7"));
    EXPECT_EQ(about.cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_FALSE(about.imgLogo->pixmap().isNull());
    const int left = about.imgLogo->x() + about.imgLogo->width() + 385 / 15;
    EXPECT_EQ(about.lblCompanyProduct->x(), left);
    EXPECT_EQ(about.lblVersion->x(), left);
    for (QLabel* l : {about.lblCompanyProduct, about.lblVersion}) {
        EXPECT_GE(l->width(), l->sizeHint().width());
        EXPECT_LE(l->geometry().right(), about.width());
    }
    clickButton(about.cmdOK);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutTest, TheVersionIsWrittenWithoutLeadingZeros) {
    struct Case {
        int32_t major, minor, revision;
        const char* text;
    };
    for (const Case& c : {Case{2, 0, 1, "Version 2.0.1"}, Case{10, 4, 0, "Version 10.4.0"}}) {
        frmAbout about;
        about.VersionMajor = c.major;
        about.VersionMinor = c.minor;
        about.VersionRevision = c.revision;
        about.show();
        EXPECT_EQ(about.lblVersion->text(), QString::fromLatin1(c.text));
    }
}

TEST_F(AboutTest, SystemInfoStartsTheToolTheRegistryNamesOrSaysThereIsNone) {
    struct Case {
        const char* what;
        QStringList installed;      // programs on the machine
        QString storedPath;         // a PATH value in the machine hive
        bool folderValue = false;   // the second value, naming a folder
        bool folderHasTool = false; // MSINFO32.EXE there
        bool starts = true;         // what the launcher answers
        QString started;            // what is started; empty: nothing
    };
    const QString tools = env.path(QStringLiteral("tools"));
    const QList<Case> cases = {
        {"neither value", {}, {}, false, false, true, {}},
        {"an installed tool", {"hardinfo"}, {}, false, false, true, "/usr/bin/hardinfo"},
        {"the first of the list",
         {"cpu-x", "kinfocenter"},
         {},
         false,
         false,
         true,
         "/usr/bin/kinfocenter"},
        {"the folder with the tool", {}, {}, true, true, true, tools + "/MSINFO32.EXE"},
        {"the folder without it", {}, {}, true, false, true, {}},
        {"a stored path that can't start",
         {},
         "/nowhere/msinfo",
         false,
         false,
         false,
         "/nowhere/msinfo"},
        {"an installed tool that can't start",
         {"hardinfo2"},
         {},
         false,
         false,
         false,
         "/usr/bin/hardinfo2"},
        {"a failed tool is not followed by the folder",
         {"hardinfo"},
         {},
         true,
         true,
         false,
         "/usr/bin/hardinfo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        env.registry.data(Hive::LocalMachine).clear();
        QDir(tools).removeRecursively();
        programs.installed.clear();
        for (const QString& p : c.installed)
            programs.installed[p] = QStringLiteral("/usr/bin/") + p;
        if (!c.storedPath.isEmpty())
            env.registry.data(Hive::LocalMachine)
                .setValue(kSystemInformationKey, kSystemInformationValue, c.storedPath);
        if (c.folderValue)
            env.registry.data(Hive::LocalMachine)
                .setValue(kFolderKey, QStringLiteral("MSINFO"),
                          c.folderHasTool ? toolFolder() : tools);
        env.launcher.started.clear();
        env.launcher.succeed = c.starts;
        env.errors.calls.clear();

        frmAbout about;
        about.show();
        clickButton(about.cmdSysInfo);

        const bool shouldStart = !c.started.isEmpty();
        ASSERT_EQ(env.launcher.started.size(), shouldStart ? 1 : 0);
        if (shouldStart) {
            EXPECT_EQ(env.launcher.started[0].program, c.started);
            EXPECT_TRUE(env.launcher.started[0].arguments.isEmpty());
        }
        const bool message = !shouldStart || !c.starts;
        ASSERT_EQ(env.errors.calls.size(), message ? 1 : 0);
        if (message) {
            EXPECT_EQ(env.errors.calls[0].message,
                      QStringLiteral("System Information Is Unavailable At This Time"));
            EXPECT_EQ(env.errors.calls[0].buttons, 0);
            EXPECT_TRUE(env.errors.calls[0].title.isEmpty());
        }
    }
}

TEST_F(AboutTest, TheToolIsFoundByReadingOnlyAndNothingIsWrittenToTheMachine) {
    // An ordinary user: the machine's keys can't be made or written.
    env.registry.failCreateMachine = 5;
    env.registry.failWriteMachine = 5;
    programs.installed[QStringLiteral("kinfocenter")] = QStringLiteral("/usr/bin/kinfocenter");
    frmAbout about;
    about.show();
    clickButton(about.cmdSysInfo);
    ASSERT_EQ(env.launcher.started.size(), 1);
    EXPECT_EQ(env.launcher.started[0].program, QStringLiteral("/usr/bin/kinfocenter"));
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_TRUE(env.registry.data(Hive::LocalMachine).keys().isEmpty());
}

TEST_F(AboutTest, AValueIsReadWhenItFitsTheReaderWithoutItsClosingNul) {
    frmAbout about;
    const QString key = QStringLiteral("SOFTWARE\\Test");
    struct Case {
        QString stored;
        bool read;
        QString value;
    };
    const QList<Case> cases = {
        {QStringLiteral("abc"), true, QStringLiteral("abc")},
        {QStringLiteral("abc") + QChar(0), true, QStringLiteral("abc")},
        {QString(), true, QString()},
        {QString(1023, u'x'), true, QString(1023, u'x')},
        {QString(1024, u'x'), false, QString()},
    };
    for (const Case& c : cases) {
        env.registry.data(Hive::LocalMachine).setValue(key, QStringLiteral("V"), c.stored);
        QString value = QStringLiteral("left over");
        EXPECT_EQ(about.GetKeyValue(Hive::LocalMachine, key, QStringLiteral("V"), value), c.read)
            << c.stored.size();
        EXPECT_EQ(value, c.value) << c.stored.size();
    }
    QString value = QStringLiteral("left over");
    EXPECT_FALSE(about.GetKeyValue(Hive::LocalMachine, key, QStringLiteral("Missing"), value));
    EXPECT_TRUE(value.isEmpty());
}

TEST_F(AboutTest, TheRunSharesOneBoxAndAskingAgainWhileItIsOpenOpensNoOther) {
    PanelWindows windows;
    const auto boxes = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += qobject_cast<frmAbout*>(w) != nullptr;
        return n;
    };
    ModalAnswerer answers;
    QWidget* first = nullptr;
    bool stillOpen = false;
    answers.next<frmAbout>([&](frmAbout* about) {
        first = about;
        // The tray's About while the panel's is open.
        windows.showAboutBox();
        stillOpen = about->isVisible();
        clickButton(about->cmdOK);
    });
    windows.showAboutBox();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(answers.opened.size(), 1);

    answers.next<frmAbout>([&](frmAbout* about) {
        EXPECT_EQ(about, first);
        clickButton(about->cmdOK);
    });
    windows.showAboutBox();
    EXPECT_EQ(answers.pending(), 0);
    EXPECT_EQ(boxes(), 1);
}

} // namespace
