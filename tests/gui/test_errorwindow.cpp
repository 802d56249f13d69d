#include "engine/ErrorWindow.h"
#include "gui/forms/WrappingLabel.h"
#include "gui/forms/frmError.h"
#include "tests/common/TestEnvironment.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
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

namespace {

// What the window showed of a long text, looked at while it was open.
struct Fit {
    bool opened = false;
    QRect window, lastButton, okButton;
    int clientHeight = 0, labelWidth = 0, scrollRange = 0, viewport = 0, textsHeight = 0;
    QStringList lines;
    bool eachLineFits = true;
    bool textsTakeFocus = false;
};

std::shared_ptr<Fit> lookAtTheFit(std::function<void(frmError*)> answer) {
    auto fit = std::make_shared<Fit>();
    QTimer::singleShot(0, [fit, answer] {
        auto* form = qobject_cast<frmError*>(QApplication::activeModalWidget());
        if (!form)
            return;
        fit->opened = true;
        fit->window = form->geometry();
        fit->clientHeight = form->height();
        auto* label = qobject_cast<WrappingLabel*>(form->lblError);
        if (label) {
            fit->labelWidth = label->contentsRect().width();
            fit->lines = label->wrappedLines(fit->labelWidth);
            const QFontMetrics metrics(label->font());
            for (const QString& line : fit->lines)
                fit->eachLineFits &= metrics.horizontalAdvance(line.trimmed()) <= fit->labelWidth;
        }
        fit->scrollRange = form->textArea->verticalScrollBar()->maximum();
        fit->textsTakeFocus = form->textArea->focusPolicy() != Qt::NoFocus;
        fit->viewport = form->textArea->viewport()->height();
        fit->textsHeight = form->textArea->widget()->height();
        fit->lastButton = form->cmdNo->isVisible() ? form->cmdNo->geometry() : QRect();
        fit->okButton = form->cmdOK->isVisible() ? form->cmdOK->geometry() : QRect();
        answer(form);
        QTimer::singleShot(500, form, [form] { form->close(); });
    });
    return fit;
}

// The longest message adding pictures gives: ten long paths, one of them
// a single word wider than the window, and the count of the rest.
QString tenLongPaths() {
    QString message = QStringLiteral("Unable to add these files to the magic list:");
    for (int i = 0; i < 10; ++i)
        message += QStringLiteral("\r\n/home/someone/Pictures/Holidays 2023/Norway and the "
                                  "Lofoten islands/day %1/IMG_20230714_%1_panorama_stitched.tiff")
                       .arg(i);
    message += QStringLiteral("\r\n/media/someone/CAMERA_CARD/DCIM/100CANON/"
                              "averyveryveryverylongfilenamewithoutanyblanksatall.jpg");
    return message + QStringLiteral("\r\nand 12 more.");
}

// A failure in the system's own words, after the file it was about.
QString longSystemError() {
    return QStringLiteral(
        "There following error occurred while loading "
        "/srv/photos/archive/2019/family/grandparents_golden_wedding_anniversary_party.png"
        "\r\n\r\nError: 75  The desktop did not take the wallpaper: GDBus.Error:org.freedesktop."
        "DBus.Error.ServiceUnknown: The name org.gnome.Shell was not provided by any .service "
        "files; the settings daemon answered: Failed to execute child process \"dbus-launch\" "
        "(No such file or directory) while the session was starting up again after a crash.");
}

} // namespace

TEST_F(ErrorWindowTest, TheLongestMessagesShowWholeInALargerWindow) {
    const QSize design(5205 / 15, 3180 / 15);
    const struct {
        QString message;
        bool question;
    } cases[] = {{tenLongPaths(), false}, {longSystemError(), true}};
    for (const auto& c : cases) {
        auto fit = lookAtTheFit(
            [](frmError* f) { (f->cmdOK->isVisible() ? f->cmdOK : f->cmdNo)->click(); });
        if (c.question)
            AskErrorQuestion(c.message,
                             QStringLiteral("Do you want to remove this file from your "
                                            "Magic List?"),
                             20, QStringLiteral("Image Error"));
        else
            ShowErrorMessage(c.message, 0, QString());
        ASSERT_TRUE(fit->opened);
        EXPECT_GT(fit->window.width(), design.width());
        EXPECT_GE(fit->clientHeight, design.height());
        // Everything is in view: no scrolling, and every character is on a
        // line that fits across the label.
        EXPECT_EQ(fit->scrollRange, 0);
        EXPECT_GE(fit->viewport, fit->textsHeight);
        EXPECT_FALSE(fit->textsTakeFocus);
        EXPECT_TRUE(fit->eachLineFits);
        EXPECT_EQ(fit->lines.join(QString()).remove(QChar::LineSeparator),
                  QString(c.message).remove(u'\r').remove(u'\n'));
        EXPECT_TRUE(QRect(QPoint(0, 0), env.screen.workArea().size()).contains(fit->window));
        // The button column keeps to the right: OK at its top, No at its
        // bottom.
        if (c.question)
            EXPECT_GT(fit->lastButton.bottom(), fit->clientHeight - 20);
        else
            EXPECT_LT(fit->okButton.top(), 20);
        EXPECT_GT((c.question ? fit->lastButton : fit->okButton).right(), fit->window.width() - 20);
    }
}

TEST_F(ErrorWindowTest, AMessageTallerThanTheScreenScrolls) {
    env.screen.work = QRect(0, 32, 1024, 480); // a panel above
    QString message = QStringLiteral("Unable to add these files to the magic list:");
    for (int i = 0; i < 60; ++i)
        message += QStringLiteral("\r\n/home/someone/Downloads/picture number %1.webp").arg(i);
    auto fit = lookAtTheFit([](frmError* f) { f->cmdOK->click(); });
    ShowErrorMessage(message, 0, QString());
    ASSERT_TRUE(fit->opened);
    EXPECT_TRUE(env.screen.work.contains(fit->window));
    EXPECT_GT(fit->clientHeight, 400);
    // The rest is reached by scrolling.
    EXPECT_GT(fit->scrollRange, 0);
    EXPECT_EQ(fit->scrollRange + fit->viewport, fit->textsHeight);
    EXPECT_TRUE(fit->textsTakeFocus); // the keys scroll them
    EXPECT_TRUE(fit->eachLineFits);
}

TEST_F(ErrorWindowTest, AShortMessageKeepsTheDesignSize) {
    auto fit = lookAtTheFit([](frmError* f) { f->cmdOK->click(); });
    ShowErrorMessage(QStringLiteral("File Not Found"), 0, QString());
    ASSERT_TRUE(fit->opened);
    EXPECT_EQ(fit->window.size(), QSize(5205 / 15, 3180 / 15));
}
