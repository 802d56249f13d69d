#include "editors/OptionsValues.h"
#include "editors/frmOptions.h"
#include "engine/INIFuncs.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/common/gui/ScriptedWindows.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

class OptionsDialogTest : public ::testing::Test {
protected:
    OptionsDialogTest() { Options.DisplayMMessage = true; }

    // Opens the dialog; the script answers it inside its modal show. A
    // dialog the script leaves open is a failure, and is then closed.
    void run(std::function<void(frmOptions*)> script) {
        answers.next<frmOptions>([script](frmOptions* d) {
            script(d);
            EXPECT_FALSE(d->isVisible()) << "the dialog is still open";
            d->hide();
        });
        frmOptions dialog;
        dialog.showModal();
    }

    static void setBorder(frmOptions* d, const QString& text) {
        // As pasted: the key filter does not see it.
        d->txtBorder->setText(text);
    }

    QString storedBorder() const {
        return GetRegString(QStringLiteral("Options"), QStringLiteral("Border"),
                            QStringLiteral("(none)"));
    }

    TestEnvironment env;
    ModalAnswerer answers;
};

TEST_F(OptionsDialogTest, OpensOnTheDisplayPage) {
    Options.Border = 12;
    Options.DisplayMMessage = false;
    run([](frmOptions* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Tapestrel Options:"));
        EXPECT_EQ(d->TabStrip1->count(), 1);
        EXPECT_EQ(d->TabStrip1->tabText(0), QStringLiteral("Display Options"));
        EXPECT_EQ(d->TabStrip1->tabBar()->tabData(0).toString(), QStringLiteral("DO"));
        EXPECT_TRUE(d->fraHolder[1]->isVisible());
        EXPECT_EQ(d->fraHolder[1]->geometry(), QRect(15, 30, 298, 157));
        EXPECT_EQ(d->txtBorder->text(), QStringLiteral("12"));
        EXPECT_FALSE(d->chkDisplayLogo->isChecked());
        d->close();
    });
}

TEST_F(OptionsDialogTest, BorderUpToTheLimitIsStored) {
    run([](frmOptions* d) {
        setBorder(d, QStringLiteral("384"));
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(Options.Border, 384);
    EXPECT_EQ(storedBorder(), QStringLiteral("384"));
    EXPECT_TRUE(ActiveMagicList.HasActiveEntryChanged());
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

// A border above the limit, or one that is no border, keeps the window
// open with a message and stores nothing.
struct RefusedCase {
    const char* what;
    int width, height;
    const char* border;
    QString message;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.what;
}

class OptionsRefusedTest : public OptionsDialogTest,
                           public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(OptionsRefusedTest, WindowStaysOpenAndNothingIsStored) {
    const RefusedCase& c = GetParam();
    env.screen.width = c.width;
    env.screen.height = c.height;
    Options.Border = 7;
    run([&c, this](frmOptions* d) {
        setBorder(d, QString::fromLatin1(c.border));
        d->chkDisplayLogo->setChecked(false);
        clickButton(d->cmdClose);
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(env.errors.calls.size(), 1);
        EXPECT_EQ(env.errors.calls[0].message, c.message);
        EXPECT_EQ(env.errors.calls[0].buttons, 0);
        EXPECT_EQ(env.errors.calls[0].title, QString());
        d->close(); // the close box stores nothing
    });
    EXPECT_EQ(Options.Border, 7);
    EXPECT_TRUE(Options.DisplayMMessage);
    EXPECT_EQ(storedBorder(), QStringLiteral("(none)"));
    EXPECT_FALSE(ActiveMagicList.HasActiveEntryChanged());
}

INSTANTIATE_TEST_SUITE_P(
    Borders, OptionsRefusedTest,
    ::testing::Values(RefusedCase{"aboveTheLimit", 1024, 768, "385", borderTooLargeMessage(384)},
                      RefusedCase{"wideScreen", 1920, 1080, "541", borderTooLargeMessage(540)},
                      RefusedCase{"oddScreen", 801, 601, "301", borderTooLargeMessage(300)},
                      RefusedCase{"negative", 1024, 768, "-5",
                                  QStringLiteral("Invalid procedure call or argument")},
                      RefusedCase{"notANumber", 1024, 768, "abc", QStringLiteral("Type mismatch")},
                      RefusedCase{"beyond16Bits", 1024, 768, "99999", QStringLiteral("Overflow")}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.what); });

TEST_F(OptionsDialogTest, TheLimitMessageReadsAsTheProgramWritesIt) {
    run([this](frmOptions* d) {
        setBorder(d, QStringLiteral("385"));
        clickButton(d->cmdClose);
        ASSERT_EQ(env.errors.calls.size(), 1);
        EXPECT_EQ(env.errors.calls[0].message,
                  QStringLiteral("Your Border is to large for your screen.  The maximum border "
                                 "size is 384."));
        setBorder(d, QStringLiteral("200"));
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(Options.Border, 200);
}

TEST_F(OptionsDialogTest, NothingChangedSavesNothing) {
    Options.Border = 5;
    run([](frmOptions* d) { clickButton(d->cmdClose); });
    EXPECT_EQ(storedBorder(), QStringLiteral("(none)"));
    EXPECT_FALSE(ActiveMagicList.HasActiveEntryChanged());
}

TEST_F(OptionsDialogTest, LogoAloneIsStored) {
    run([](frmOptions* d) {
        clickButton(d->chkDisplayLogo);
        clickButton(d->cmdClose);
    });
    EXPECT_FALSE(Options.DisplayMMessage);
    EXPECT_EQ(GetRegString(QStringLiteral("Options"), QStringLiteral("DisplayMMessage"), {}),
              QStringLiteral("FALSE"));
    EXPECT_TRUE(ActiveMagicList.HasActiveEntryChanged());
}

TEST_F(OptionsDialogTest, EmptyBorderCountsAsZero) {
    Options.Border = 9;
    run([](frmOptions* d) {
        setBorder(d, QString());
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(Options.Border, 0);
    EXPECT_EQ(storedBorder(), QStringLiteral("0"));
}

TEST_F(OptionsDialogTest, BorderBoxTakesAtMostThreeDigits) {
    run([](frmOptions* d) {
        QLineEdit* box = d->txtBorder;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("1a2.-34"));
        EXPECT_EQ(box->text(), QStringLiteral("123"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QStringLiteral("9"));
        EXPECT_EQ(box->text(), QStringLiteral("129"));
        QTest::keyClick(box, Qt::Key_Return); // refused by the filter: nothing happens
        EXPECT_TRUE(d->isVisible());
        clickButton(d->cmdClose);
    });
    EXPECT_EQ(Options.Border, 129);
}

TEST_F(OptionsDialogTest, FocusSelectsAllAndAnEmptyBoxBecomesZeroOnLeaving) {
    Options.Border = 25;
    run([](frmOptions* d) {
        d->cmdClose->setFocus();
        QTest::mouseClick(d->txtBorder, Qt::LeftButton, {}, QPoint(3, 5));
        ASSERT_TRUE(waitFor([d] { return d->txtBorder->selectedText() == "25"; }));
        QTest::keyClick(d->txtBorder, Qt::Key_Backspace);
        EXPECT_EQ(d->txtBorder->text(), QString());
        d->chkDisplayLogo->setFocus();
        EXPECT_EQ(d->txtBorder->text(), QStringLiteral("0"));
        d->close();
    });
    EXPECT_EQ(Options.Border, 25);
}

TEST_F(OptionsDialogTest, ClickingTheTabShowsTheDisplayPage) {
    run([](frmOptions* d) {
        d->fraHolder[1]->hide();
        QTabBar* tabs = d->TabStrip1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        EXPECT_TRUE(d->fraHolder[1]->isVisible());
        d->close();
    });
}

// The Tools menu's command tells its caller what the dialog changed, so
// that the preview is redrawn for a new border or logo alike.
TEST(OptionsCommand, SaysWhatChanged) {
    TestEnvironment env;
    ScriptedWindows windows;
    setProgramWindows(&windows);
    const struct {
        std::function<void()> dialog;
        bool border, logo;
    } cases[] = {
        {[] {}, false, false},
        {[] { Options.Border = 10; }, true, false},
        {[] { Options.DisplayMMessage = !Options.DisplayMMessage; }, false, true},
        {[] {
             Options.Border = 20;
             Options.DisplayMMessage = !Options.DisplayMMessage;
         },
         true, true},
    };
    for (const auto& c : cases) {
        windows.options = c.dialog;
        const OptionsChanges changes = runOptionsCommand();
        EXPECT_EQ(changes.border, c.border);
        EXPECT_EQ(changes.logo, c.logo);
        EXPECT_EQ(changes.changesWallpaper(), c.border || c.logo);
    }
    EXPECT_EQ(windows.count(QStringLiteral("Options")), 4);
    setProgramWindows(nullptr);
}

TEST(OptionsCommand, OpensTheRealDialog) {
    TestEnvironment env;
    ModalAnswerer answers;
    // A set of windows that opens the real dialog, as the program's does.
    struct OptionsOnly final : NoProgramWindows {
        void runOptionsDialog() override {
            frmOptions dialog;
            dialog.showModal();
        }
    } windows;
    setProgramWindows(&windows);
    Options.DisplayMMessage = true;
    answers.next<frmOptions>([](frmOptions* d) {
        clickButton(d->chkDisplayLogo);
        clickButton(d->cmdClose);
    });
    const OptionsChanges changes = runOptionsCommand();
    EXPECT_FALSE(changes.border);
    EXPECT_TRUE(changes.logo);
    EXPECT_TRUE(changes.changesWallpaper());
    setProgramWindows(nullptr);
}

} // namespace
