#include "engine/BackgroundColors.h"
#include "gui/FormHelpers.h"
#include "tests/common/TestEnvironment.h"

#include <QLineEdit>
#include <QLocale>
#include <gtest/gtest.h>

TEST(FormHelpers, centreFormOnlyInModeOne) {
    TestEnvironment env;
    QWidget form;
    form.resize(200, 100);
    form.move(3, 4);
    CenterForm(&form, 0);
    EXPECT_EQ(form.pos(), QPoint(3, 4));
    CenterForm(&form, 1);
    const QSize frame = form.frameGeometry().size();
    EXPECT_EQ(form.pos(), QPoint((1024 - frame.width()) / 2, (768 - frame.height()) / 2));
}

namespace {

struct KeyCase {
    const char* text;
    int selStart;
    int selLength;
    int key;
    int maxInt;
    int maxDec;
    int expected;
};

int16_t filter(const KeyCase& c, int16_t& key) {
    QLineEdit box;
    box.setText(QString::fromLatin1(c.text));
    if (c.selLength > 0)
        box.setSelection(c.selStart, c.selLength);
    else
        box.setCursorPosition(c.selStart);
    key = static_cast<int16_t>(c.key);
    return FilterNumericKey(&box, key, static_cast<int16_t>(c.maxInt),
                            static_cast<int16_t>(c.maxDec));
}

} // namespace

TEST(FormHelpers, numericKeyFilter) {
    QLocale::setDefault(QLocale::c());
    ASSERT_EQ(decimalSeparator(), QChar(u'.'));
    const KeyCase cases[] = {
        {"123", 3, 0, '4', 3, 0, 0},    // a fourth digit
        {"123", 3, 0, 8, 3, 0, 8},      // Backspace
        {"", 0, 0, 8, 3, 0, 8},         // Backspace at the start
        {"123", 1, 1, '9', 3, 0, '9'},  // typed over a selected digit
        {"12", 2, 0, '.', 3, 0, 0},     // no decimals allowed
        {"12", 2, 0, 'a', 3, 0, 0},     // a letter
        {"12", 2, 0, '-', 3, 0, 0},     // punctuation
        {"12", 2, 0, 9, 3, 0, 9},       // Tab passes unchanged
        {"1.25", 4, 0, '7', 3, 2, 0},   // a third decimal
        {"1.25", 4, 0, '.', 3, 2, 0},   // a second separator
        {"1.25", 0, 2, '.', 3, 2, '.'}, // a separator over the selected one
        {"1.2", 3, 0, '5', 3, 2, '5'},
        {"1.2", 3, 0, '5', 3, -1, '5'},
        {"1.23456", 7, 0, '7', 3, -1, '7'}, // -1: any number of decimals
        {"12", 2, 0, '.', 3, -1, '.'},
        {"123456", 6, 0, '7', -1, 0, '7'},
        {"12", 0, 0, ' ', 3, 0, ' '},
    };
    for (const KeyCase& c : cases) {
        int16_t key = 0;
        EXPECT_EQ(filter(c, key), c.expected)
            << "text " << c.text << " key " << c.key << " limits " << c.maxInt << "/" << c.maxDec;
    }
    int16_t key = 0;
    EXPECT_EQ(filter({"12", 2, 0, 13, 3, 0, 0}, key), 0);
    EXPECT_EQ(key, 0); // Enter is swallowed
    QLocale::setDefault(QLocale::system());
}

TEST(BackgroundColors, presetTable) {
    clsBackGroundColors colors;
    ASSERT_EQ(colors.GetCount(), 24);
    EXPECT_EQ(colors.GetColor(0), 0xFFFFFF);
    EXPECT_EQ(colors.GetColor(2), 0x0);
    EXPECT_EQ(colors.GetColor(9), 0xFF00);
    EXPECT_EQ(colors.GetColor(23), 0x808000);
    EXPECT_EQ(colors.GetColor(24), 0);
    EXPECT_EQ(colors.GetColor(-1), 0);
    colors.AddBackgroundColor(0x808080);
    EXPECT_EQ(colors.GetCount(), 24);
    colors.AddBackgroundColor(0x123456);
    EXPECT_EQ(colors.GetCount(), 25);
    EXPECT_EQ(colors.GetColor(24), 0x123456);
}
