#include "editors/frmColors.h"
#include "panel/PanelWindows.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PanelColorPickerTest : public ::testing::Test {
protected:
    TestEnvironment env;
    ModalAnswerer answers;
    PanelWindows windows;
};

TEST_F(PanelColorPickerTest, theColourPickerIsThere) {
    EXPECT_TRUE(windows.has(LaterWindow::ColorPicker));
}

TEST_F(PanelColorPickerTest, theFieldsGoInAndTheAnswerComesBack) {
    ColorPickerFields fields;
    fields.UseOriginalColor = true;
    fields.OriginalColor = 0x0000FF;
    answers.next<frmColors>([](frmColors* form) {
        EXPECT_EQ(form->txtRed->text(), QStringLiteral("255"));
        EXPECT_TRUE(form->lblOrig->isVisible());
        // The middle of the field's top row at the middle level: cyan.
        QTest::mouseClick(form->picColor, Qt::LeftButton, {},
                          form->picColor->contentsRect().topLeft() + QPoint(87, 0));
        clickButton(form->cmdOK);
    });
    windows.runColorPicker(fields);
    EXPECT_FALSE(fields.Cancelled);
    EXPECT_EQ(fields.SelectedColor, 0xFFFF00);
    EXPECT_EQ(fields.Red, 0);
    EXPECT_EQ(fields.Green, 255);
    EXPECT_EQ(fields.Blue, 255);
}

TEST_F(PanelColorPickerTest, closingThePickerLeavesNothingChosen) {
    ColorPickerFields fields;
    answers.next<frmColors>([](frmColors* form) {
        // Without a colour to start from the boxes show black.
        EXPECT_EQ(form->txtGreen->text(), QStringLiteral("0"));
        EXPECT_FALSE(form->lblNew->isVisible());
        form->close();
    });
    windows.runColorPicker(fields);
    EXPECT_TRUE(fields.Cancelled);
    EXPECT_EQ(fields.SelectedColor, 0);
}

} // namespace
