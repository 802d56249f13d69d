#include "engine/ProgramBusy.h"
#include "engine/ProgramState.h"
#include "gui/forms/FormKit.h"
#include "platform/Help.h"
#include "runtime/RuntimeError.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A dialog with the usual protocol: a public field set by the caller, OK
// and Cancel that hide it, and load steps that read the field.
class SampleDialog final : public FormDialog {
public:
    explicit SampleDialog(bool withCancel = true) {
        kit::initForm(this, "SampleDialog", QStringLiteral("Sample"), 42);
        txtName = kit::textBox(this, "txtName");
        cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
        cmdOK->move(0, 40);
        kit::on(cmdOK, &QPushButton::clicked, this, &SampleDialog::cmdOK_Click);
        setDefaultButton(cmdOK);
        if (withCancel) {
            cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
            cmdCancel->move(80, 40);
            kit::on(cmdCancel, &QPushButton::clicked, this, &SampleDialog::cmdCancel_Click);
            setCancelButton(cmdCancel);
        }
        resize(200, 100);
    }

    QString Proposed;
    bool Cancelled = true;
    int loads = 0;
    QLineEdit* txtName;
    QPushButton* cmdOK;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click() {
        if (txtName->text() == QStringLiteral("bad"))
            raiseError(5);
        Cancelled = false;
        hide();
    }
    void cmdCancel_Click() {
        Cancelled = true;
        hide();
    }

protected:
    void Form_Load() override {
        ++loads;
        txtName->setText(Proposed);
    }
};

class FormKitTest : public ::testing::Test {
protected:
    TestEnvironment env;
    ModalAnswerer answers;
};

TEST_F(FormKitTest, twipsGoThroughTheScreen) {
    env.screen.twips = 15;
    EXPECT_EQ(kit::px(8865), 591);
    EXPECT_EQ(kit::twipsRect(120, 150, 1500, 300), QRect(8, 10, 100, 20));
    env.screen.twips = 12; // 120 dots to the inch
    EXPECT_EQ(kit::px(8865), 738);
    EXPECT_EQ(kit::twipsX(10), 120);
}

TEST_F(FormKitTest, loadStepsRunOnceWhenShownAfterTheFieldsAreSet) {
    SampleDialog dialog;
    dialog.Proposed = QStringLiteral("Holiday");
    answers.next([](QWidget* w) {
        auto* d = static_cast<SampleDialog*>(w);
        EXPECT_EQ(d->txtName->text(), QStringLiteral("Holiday"));
        clickButton(d->cmdOK);
    });
    dialog.showModal();
    EXPECT_FALSE(dialog.Cancelled);
    EXPECT_EQ(dialog.loads, 1);
    EXPECT_EQ(answers.opened, QStringList{QStringLiteral("SampleDialog")});
}

TEST_F(FormKitTest, escapeAndTheCloseBoxPressCancel) {
    for (const bool closeBox : {false, true}) {
        SampleDialog dialog;
        answers.next([closeBox](QWidget* w) {
            auto* d = static_cast<SampleDialog*>(w);
            d->Cancelled = false; // Cancel has to set it back
            if (closeBox)
                d->close();
            else
                QTest::keyClick(d->txtName, Qt::Key_Escape);
        });
        dialog.showModal();
        EXPECT_TRUE(dialog.Cancelled) << "close box: " << closeBox;
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(FormKitTest, withoutCancelEscapeDoesNothingAndTheCloseBoxHides) {
    SampleDialog dialog(false);
    answers.next([](QWidget* w) {
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible());
        w->close();
    });
    dialog.showModal();
    EXPECT_TRUE(dialog.Cancelled);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(FormKitTest, enterPressesTheDefaultButton) {
    SampleDialog dialog;
    answers.next([](QWidget* w) {
        auto* d = static_cast<SampleDialog*>(w);
        d->txtName->setFocus();
        QTest::keyClick(d->txtName, Qt::Key_Return);
    });
    dialog.showModal();
    EXPECT_FALSE(dialog.Cancelled);
}

TEST_F(FormKitTest, aRunTimeErrorInAHandlerShowsTheErrorWindow) {
    SampleDialog dialog;
    dialog.Proposed = QStringLiteral("bad");
    answers.next([](QWidget* w) {
        auto* d = static_cast<SampleDialog*>(w);
        clickButton(d->cmdOK); // raises error 5; the dialog stays
        EXPECT_TRUE(d->isVisible());
        clickButton(d->cmdCancel);
    });
    dialog.showModal();
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("Invalid procedure call or argument"));
    EXPECT_EQ(env.errors.calls[0].title, QString());
}

TEST_F(FormKitTest, guardKeepsTheTitleItIsGiven) {
    kit::guarded(QStringLiteral("Image Rename"), [] { raiseError(6); });
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("Overflow"));
    EXPECT_EQ(env.errors.calls[0].title, QStringLiteral("Image Rename"));
}

TEST_F(FormKitTest, signalArgumentsReachAGuardedCall) {
    QLineEdit box;
    QString seen;
    kit::onCall(&box, &QLineEdit::textEdited, &box, [&](const QString& text) {
        seen = text;
        if (text == QStringLiteral("x"))
            raiseError(13);
    });
    QTest::keyClicks(&box, QStringLiteral("x"));
    EXPECT_EQ(seen, QStringLiteral("x"));
    EXPECT_EQ(env.errors.messages(), QStringList{QStringLiteral("Type mismatch")});
}

TEST_F(FormKitTest, whileLongWorkRunsACommandDoesNothingUnlessItsWindowIsModal) {
    QWidget window;
    QPushButton* button = kit::button(&window, "cmdGo", QStringLiteral("Go"));
    QAction action(QStringLiteral("Tick"));
    action.setCheckable(true);
    int clicks = 0, triggers = 0;
    kit::onCall(button, &QPushButton::clicked, &window, [&](bool) { ++clicks; });
    kit::onCall(&action, &QAction::triggered, &window, [&](bool) { ++triggers; });
    window.show();
    SampleDialog dialog;
    bool okRan = false;
    {
        BusyWork busy;
        button->click();
        action.trigger();
        EXPECT_FALSE(action.isChecked()); // the click changed nothing
        // A modal window opened meanwhile is what the program waits on.
        answers.next([&](QWidget*) {
            clickButton(dialog.cmdOK);
            okRan = !dialog.Cancelled;
            dialog.hide(); // a dialog OK could not close would hold the test
        });
        dialog.showModal();
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(triggers, 0);
    EXPECT_TRUE(okRan);
    button->click();
    action.trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(triggers, 1);
    EXPECT_TRUE(action.isChecked());
}

TEST_F(FormKitTest, controlsCarryTheirNamesAndWindowsTheirHelpContext) {
    SampleDialog dialog;
    EXPECT_EQ(control<QLineEdit>(&dialog, QStringLiteral("txtName")), dialog.txtName);
    EXPECT_EQ(kit::helpContextId(dialog.txtName), 42);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sample"));
    EXPECT_FALSE(dialog.windowIcon().isNull());
    QLabel* l = kit::label(&dialog, "lblText", QStringLiteral("<b>not bold</b>"));
    EXPECT_EQ(l->textFormat(), Qt::PlainText);
}

TEST_F(FormKitTest, theHelpKeyOpensThePageOfTheHelpContextWhereTheFocusIs) {
    ProgramHelpFile = env.path(QStringLiteral("help/contents.html"));
    answers.next([&](QWidget* w) {
        auto* d = static_cast<SampleDialog*>(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        d->txtName->setFocus();
        QTest::keyClick(d->txtName, Qt::Key_F1);
        // A control with a context of its own.
        kit::setHelpContextId(d->txtName, 7);
        QTest::keyClick(d->txtName, Qt::Key_F1);
        // Its page is missing.
        env.help.result = 53;
        QTest::keyClick(d->txtName, Qt::Key_F1);
        env.help.result = 0;
        d->cmdCancel->click();
    });
    SampleDialog dialog;
    dialog.showModal();
    ASSERT_EQ(env.help.requests.size(), 3);
    for (const auto& r : env.help.requests) {
        EXPECT_EQ(r.helpFile, ProgramHelpFile);
        EXPECT_EQ(r.command, helpcmd::Context);
    }
    EXPECT_EQ(env.help.requests[0].data, 42);
    EXPECT_EQ(env.help.requests[1].data, 7);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("File not found"));
    EXPECT_EQ(env.errors.calls[0].buttons, 0);
    EXPECT_TRUE(env.errors.calls[0].title.isEmpty());
    EXPECT_TRUE(dialog.Cancelled); // F1 pressed no button

    // Any window built with the kit has the key once, however often it is
    // given; without a context it opens the contents.
    QMainWindow window;
    kit::initForm(&window, "frmPlain", QStringLiteral("Plain"));
    kit::giveHelpKey(&window);
    window.setCentralWidget(kit::textBox(&window, "txtAny"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.centralWidget(), Qt::Key_F1);
    ASSERT_EQ(env.help.requests.size(), 4);
    EXPECT_EQ(env.help.requests[3].command, helpcmd::Tab);

    // Without help nothing happens.
    ProgramHelpFile.clear();
    QTest::keyClick(window.centralWidget(), Qt::Key_F1);
    EXPECT_EQ(env.help.requests.size(), 4);
    EXPECT_EQ(env.errors.calls.size(), 1);
}

TEST(FormKit, accessKeysComeOutOfLabelTexts) {
    const std::pair<const char*, const char*> cases[] = {
        {"Drag && Drop:", "Drag & Drop:"},
        {"&Tile", "Tile"},
        {"Turn &On Radur Eradeziro", "Turn On Radur Eradeziro"},
        {"a && b && c", "a & b & c"},
        {"trailing &", "trailing "},
        {"plain", "plain"},
    };
    for (const auto& [caption, shown] : cases)
        EXPECT_EQ(kit::withoutAccessKeys(QString::fromUtf8(caption)), QString::fromUtf8(shown))
            << caption;
}

} // namespace
