#include "engine/ErrorWindow.h"
#include "gui/forms/frmError.h"
#include "tests/common/TestEnvironment.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Seen {
    bool opened = false;
    QString caption, heading, message, question;
    bool ok = false, yes = false, no = false, cancel = false, questionShown = false;
    bool messageBold = false, topmost = false, yesDefault = false;
    int yesTop = -1, noTop = -1, cancelTop = -1;
};

// Arms a look at the next error window: what it shows is noted, then the
// action answers it.
std::shared_ptr<Seen> whenWindowOpens(std::function<void(frmError*)> action) {
    auto seen = std::make_shared<Seen>();
    QTimer::singleShot(0, [seen, action] {
        auto* form = qobject_cast<frmError*>(QApplication::activeModalWidget());
        if (!form)
            return;
        seen->opened = true;
        seen->caption = form->windowTitle();
        seen->heading = form->Label1->text();
        seen->message = form->lblError->text();
        seen->question = form->lblQuestion->text();
        seen->ok = form->cmdOK->isVisible();
        seen->yes = form->cmdYes->isVisible();
        seen->no = form->cmdNo->isVisible();
        seen->cancel = form->cmdCancel->isVisible();
        seen->questionShown = form->lblQuestion->isVisible();
        seen->messageBold = form->lblError->font().bold();
        seen->topmost = form->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        seen->yesDefault = form->cmdYes->isDefault();
        seen->yesTop = form->cmdYes->y();
        seen->noTop = form->cmdNo->y();
        seen->cancelTop = form->cmdCancel->y();
        action(form);
        // A window the action did not answer is closed, so that the test
        // fails on its answer instead of waiting for ever.
        QTimer::singleShot(500, form, [form] { form->close(); });
    });
    return seen;
}

// A key as the user types it: to the window's focused control.
void press(QWidget* w, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w->focusWidget() ? w->focusWidget() : w, &down);
}

class ErrorWindowTest : public ::testing::Test {
protected:
    void SetUp() override { setErrorPresenter(nullptr); }
    TestEnvironment env;
};

} // namespace

TEST_F(ErrorWindowTest, messageWithoutTitleShowsTheDesignCaptionAndOnlyOK) {
    auto seen = whenWindowOpens([](frmError* f) { f->cmdOK->click(); });
    ShowErrorMessage(QStringLiteral("<b>File</b> not found"), 48, QString());
    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(seen->caption, QStringLiteral("Tapestrel:  Error"));
    EXPECT_EQ(seen->heading, QStringLiteral("An Error has occurred ..."));
    EXPECT_EQ(seen->message, QStringLiteral("<b>File</b> not found"));
    EXPECT_TRUE(seen->ok);
    EXPECT_FALSE(seen->yes || seen->no || seen->cancel || seen->questionShown);
    EXPECT_TRUE(seen->messageBold);
    EXPECT_TRUE(seen->topmost);
    EXPECT_EQ(env.beeper.count, 1);
}

TEST_F(ErrorWindowTest, labelsShowPlainText) {
    frmError form(false);
    EXPECT_EQ(form.lblError->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.lblQuestion->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.Label1->textFormat(), Qt::PlainText);
}

TEST_F(ErrorWindowTest, oddButtonsAddCancelAndATitleSetsTheCaption) {
    auto seen = whenWindowOpens([](frmError* f) { f->cmdCancel->click(); });
    ShowErrorMessage(QStringLiteral("m"), 1, QStringLiteral("Shuffle List"));
    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(seen->caption, QStringLiteral("Tapestrel: Shuffle List"));
    EXPECT_TRUE(seen->ok && seen->cancel);
}

TEST_F(ErrorWindowTest, questionAnswers) {
    const struct {
        int16_t buttons;
        std::function<void(frmError*)> act;
        int16_t expected;
    } cases[] = {
        {0, [](frmError* f) { f->cmdYes->click(); }, answer::Yes},
        {0, [](frmError* f) { f->cmdNo->click(); }, answer::No},
        {0, [](frmError* f) { press(f, Qt::Key_Return); }, answer::Yes},
        {0, [](frmError* f) { press(f, Qt::Key_Escape); }, answer::No},
        {3, [](frmError* f) { f->cmdCancel->click(); }, answer::Cancel},
        {3, [](frmError* f) { press(f, Qt::Key_Return); }, answer::Yes},
        {3, [](frmError* f) { press(f, Qt::Key_Enter); }, answer::Yes},
        {3, [](frmError* f) { f->close(); }, answer::Closed},
        {0, [](frmError* f) { f->close(); }, answer::Closed},
    };
    for (const auto& c : cases) {
        auto seen = whenWindowOpens(c.act);
        const int16_t result = AskErrorQuestion(QStringLiteral("Message"),
                                                QStringLiteral("Remove it?"), c.buttons, QString());
        ASSERT_TRUE(seen->opened);
        EXPECT_EQ(result, c.expected) << "buttons " << c.buttons;
    }
}

TEST_F(ErrorWindowTest, questionLayouts) {
    auto even = whenWindowOpens([](frmError* f) { f->cmdNo->click(); });
    AskErrorQuestion(QStringLiteral("Message"), QStringLiteral("Question?"), 0,
                     QStringLiteral("T"));
    ASSERT_TRUE(even->opened);
    EXPECT_EQ(even->caption, QStringLiteral("Tapestrel: T"));
    EXPECT_EQ(even->heading, QStringLiteral("Tapestrel:"));
    EXPECT_EQ(even->question, QStringLiteral("Question?"));
    EXPECT_FALSE(even->messageBold);
    EXPECT_FALSE(even->ok || even->cancel);
    EXPECT_TRUE(even->yes && even->no && even->yesDefault);
    // Yes and No sit where No and Cancel stand in the design.
    EXPECT_EQ(even->yesTop, 2130 / 15);
    EXPECT_EQ(even->noTop, 2625 / 15);

    auto odd = whenWindowOpens([](frmError* f) { f->cmdYes->click(); });
    AskErrorQuestion(QStringLiteral("Message"), QStringLiteral("Question?"), 3, QString());
    ASSERT_TRUE(odd->opened);
    EXPECT_EQ(odd->caption, QStringLiteral("Tapestrel:"));
    EXPECT_TRUE(odd->yes && odd->no && odd->cancel);
    EXPECT_EQ(odd->yesTop, 1635 / 15);
    EXPECT_EQ(odd->noTop, 2130 / 15);
    EXPECT_EQ(odd->cancelTop, 2625 / 15);
    EXPECT_EQ(env.beeper.count, 2);
}
