#include "gui/FormHelpers.h"
#include "gui/forms/FormKit.h"
#include "gui/forms/TextBoxEvents.h"
#include "runtime/RuntimeError.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace {

using kit::DigitLimits;
using kit::EnterKey;

// A dialog with one text box, a default button that counts its presses and
// a second button to take the focus.
class BoxDialog final : public FormDialog {
public:
    BoxDialog(std::optional<DigitLimits> digits, EnterKey enter) {
        kit::initForm(this, "BoxDialog", QStringLiteral("Box"));
        txtValue = kit::textBox(this, "txtValue");
        txtValue->setGeometry(10, 10, 120, 24);
        cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
        cmdOK->setGeometry(10, 50, 60, 26);
        cmdOther = kit::button(this, "cmdOther", QStringLiteral("Other"));
        cmdOther->setGeometry(80, 50, 60, 26);
        cmdOther->setAutoDefault(false);
        QObject::connect(cmdOK, &QPushButton::clicked, this, [this] { ++okPresses; });
        setDefaultButton(cmdOK);
        events = new kit::TextBoxEvents(txtValue, digits, enter);
        resize(160, 90);
    }

    QLineEdit* txtValue;
    QPushButton* cmdOK;
    QPushButton* cmdOther;
    kit::TextBoxEvents* events;
    int okPresses = 0;
};

// One key pressed in the box: a character, a key that types nothing, or a
// key held with a modifier.
struct Press {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

Press typed(char16_t c) {
    return {Qt::Key_unknown, QString(QChar(c))};
}

struct BoxCase {
    const char* what;
    std::optional<DigitLimits> digits;
    EnterKey enter;
    const char* text;
    int selStart;  // the caret when nothing is selected
    int selLength; // 0: nothing selected
    Press press;
    const char* after;
    bool okPressed;
};

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.what;
}

// The table writes the decimal separator as "."; the box gets the user's.
QString localised(const char* text) {
    return QString::fromUtf8(text).replace(u'.', decimalSeparator());
}

const DigitLimits kThreeDigits{3, 0};
const DigitLimits kTwoDecimals{-1, 2};
const Press kReturn{Qt::Key_Return, QStringLiteral("\r")};
const Press kKeypadEnter{Qt::Key_Enter, QStringLiteral("\r"), Qt::KeypadModifier};

class TextBoxEventsTest : public ::testing::TestWithParam<BoxCase> {
protected:
    TestEnvironment env;
};

TEST_P(TextBoxEventsTest, KeyReachesTheBoxOrTheDialogAsTheRulesSay) {
    const BoxCase& c = GetParam();
    BoxDialog dialog(c.digits, c.enter);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.txtValue->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(waitFor([&] { return dialog.txtValue->hasFocus(); }));
    dialog.txtValue->setText(localised(c.text));
    if (c.selLength > 0)
        dialog.txtValue->setSelection(c.selStart, c.selLength);
    else
        dialog.txtValue->setCursorPosition(c.selStart);
    QApplication::clipboard()->setText(QStringLiteral("4567"));

    const QString text = c.press.text == u"." ? QString(decimalSeparator()) : c.press.text;
    QTest::sendKeyEvent(QTest::Click, dialog.txtValue, c.press.key, text, c.press.modifiers);

    EXPECT_EQ(dialog.txtValue->text(), localised(c.after));
    EXPECT_EQ(dialog.okPresses, c.okPressed ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TextBoxEventsTest,
    ::testing::Values(
        // A numeric box of at most three digits.
        BoxCase{"digit", kThreeDigits, EnterKey::ToDialog, "", 0, 0, typed(u'5'), "5", false},
        BoxCase{"fourthDigit", kThreeDigits, EnterKey::ToDialog, "123", 3, 0, typed(u'4'), "123",
                false},
        BoxCase{"digitOverSelection", kThreeDigits, EnterKey::ToDialog, "123", 1, 1, typed(u'9'),
                "193", false},
        BoxCase{"letter", kThreeDigits, EnterKey::ToDialog, "12", 2, 0, typed(u'a'), "12", false},
        BoxCase{"separator", kThreeDigits, EnterKey::ToDialog, "12", 2, 0, typed(u'.'), "12",
                false},
        BoxCase{"minus", kThreeDigits, EnterKey::ToDialog, "12", 0, 0, typed(u'-'), "12", false},
        BoxCase{"latin1Letter", kThreeDigits, EnterKey::ToDialog, "12", 2, 0, typed(u'\u00e9'),
                "12", false},
        BoxCase{"beyondLatin1", kThreeDigits, EnterKey::ToDialog, "12", 2, 0, typed(u'\u0665'),
                "12", false},
        BoxCase{"backspace", kThreeDigits, EnterKey::ToDialog, "123", 3, 0,
                Press{Qt::Key_Backspace, QStringLiteral("\b")}, "12", false},
        BoxCase{"delete", kThreeDigits, EnterKey::ToDialog, "123", 0, 0,
                Press{Qt::Key_Delete, QString(QChar(0x7F))}, "23", false},
        BoxCase{"arrow", kThreeDigits, EnterKey::ToDialog, "12", 2, 0,
                Press{Qt::Key_Left, QString()}, "12", false},
        // Held with Ctrl a key is a command, whatever text it carries: the
        // paste is not filtered.
        BoxCase{"paste", kThreeDigits, EnterKey::ToDialog, "1", 0, 1,
                Press{Qt::Key_V, QStringLiteral("v"), Qt::ControlModifier}, "4567", false},
        // Enter: to the default button, or refused by the filter.
        BoxCase{"enterToDialog", kThreeDigits, EnterKey::ToDialog, "12", 2, 0, kReturn, "12", true},
        BoxCase{"keypadEnterToDialog", kThreeDigits, EnterKey::ToDialog, "12", 2, 0, kKeypadEnter,
                "12", true},
        BoxCase{"enterFiltered", kThreeDigits, EnterKey::Filtered, "12", 2, 0, kReturn, "12",
                false},
        BoxCase{"keypadEnterFiltered", kThreeDigits, EnterKey::Filtered, "12", 2, 0, kKeypadEnter,
                "12", false},
        // Decimals: the limit after the separator, one separator at most.
        BoxCase{"firstSeparator", kTwoDecimals, EnterKey::ToDialog, "12", 2, 0, typed(u'.'), "12.",
                false},
        BoxCase{"thirdDecimal", kTwoDecimals, EnterKey::ToDialog, "1.25", 4, 0, typed(u'3'), "1.25",
                false},
        BoxCase{"secondSeparator", kTwoDecimals, EnterKey::ToDialog, "1.25", 4, 0, typed(u'.'),
                "1.25", false},
        // A box that is not numeric takes every key; Enter goes to the dialog.
        BoxCase{"plainLetter", std::nullopt, EnterKey::ToDialog, "12", 2, 0, typed(u'a'), "12a",
                false},
        BoxCase{"plainEnter", std::nullopt, EnterKey::Filtered, "12", 2, 0, kReturn, "12", true}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.what); });

class TextBoxFocusTest : public ::testing::Test {
protected:
    void open() {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    TestEnvironment env;
    BoxDialog dialog{kThreeDigits, EnterKey::ToDialog};
};

TEST_F(TextBoxFocusTest, TheFocusSelectsTheWholeTextHoweverItComes) {
    open();
    dialog.txtValue->setText(QStringLiteral("245"));
    dialog.cmdOther->setFocus();
    dialog.txtValue->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(dialog.txtValue->selectedText(), QStringLiteral("245"));

    // A click puts the caret down after the focus arrived; the text is
    // selected again once the click is over.
    dialog.cmdOther->setFocus();
    QTest::mouseClick(dialog.txtValue, Qt::LeftButton, {}, QPoint(3, 5));
    ASSERT_TRUE(waitFor([&] { return dialog.txtValue->selectedText() == QStringLiteral("245"); }));
    QTest::keyClicks(dialog.txtValue, QStringLiteral("7"));
    EXPECT_EQ(dialog.txtValue->text(), QStringLiteral("7"));
}

TEST_F(TextBoxFocusTest, LeavingRunsTheLostFocusHandlerBehindTheGuard) {
    int left = 0;
    dialog.events->lostFocus = [&] {
        ++left;
        raiseError(5);
    };
    open();
    dialog.txtValue->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(waitFor([&] { return dialog.txtValue->hasFocus(); }));
    dialog.cmdOther->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(left, 1);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("Invalid procedure call or argument"));
}

} // namespace
