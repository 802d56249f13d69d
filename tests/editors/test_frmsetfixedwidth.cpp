#include "editors/frmSetFixedWidth.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/editors/crop_test_helpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class FixedWidthTest : public ::testing::Test {
protected:
    frmSetFixedWidth& open(int32_t imageWidth = 1024, int32_t imageHeight = 768) {
        dialog = std::make_unique<frmSetFixedWidth>();
        dialog->ImageWidth = imageWidth;
        dialog->ImageHeight = imageHeight;
        dialog->show();
        return *dialog;
    }

    TestEnvironment env;
    std::unique_ptr<frmSetFixedWidth> dialog;
};

TEST_F(FixedWidthTest, OpensOnTheFixedSizeOfTheSettings) {
    Options.FixedCropWidth = 640;
    Options.FixedCropHeight = 480;
    frmSetFixedWidth& d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Set Fixed Crop Area"));
    EXPECT_EQ(d.Label1->text(), QStringLiteral("Enter the size (in pixels) of your crop area."));
    EXPECT_EQ(d.Label2->text(), QStringLiteral("Width:"));
    EXPECT_EQ(d.Label3->text(), QStringLiteral("Height:"));
    EXPECT_EQ(d.txtWidth->text(), QStringLiteral("640"));
    EXPECT_EQ(d.txtHeight->text(), QStringLiteral("480"));
    EXPECT_FALSE(d.Cancelled);
    // The focus selects the box's whole text, so typing replaces it.
    QApplication::setActiveWindow(&d);
    d.txtHeight->setFocus();
    ASSERT_TRUE(waitFor([&] { return d.txtHeight->selectedText() == QStringLiteral("480"); }));
    QTest::keyClicks(d.txtHeight, QStringLiteral("300"));
    EXPECT_EQ(d.txtHeight->text(), QStringLiteral("300"));
}

TEST_F(FixedWidthTest, EachCheckShowsItsMessageAndFocusesItsBox) {
    for (const FixedSizeCase& c : fixedSizeCases()) {
        SCOPED_TRACE(std::string(c.width) + " / " + c.height);
        env.errors.calls.clear();
        frmSetFixedWidth& d = open();
        d.txtWidth->setText(QString::fromLatin1(c.width));
        d.txtHeight->setText(QString::fromLatin1(c.height));
        clickButton(d.cmdOK);
        EXPECT_FALSE(d.Cancelled);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(env.errors.calls.isEmpty());
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(QSize(d.CropAreaWidth, d.CropAreaHeight), c.stored);
            continue;
        }
        ASSERT_EQ(env.errors.calls.size(), 1);
        EXPECT_EQ(env.errors.calls[0].message, c.message);
        EXPECT_EQ(env.errors.calls[0].buttons, c.buttons);
        EXPECT_EQ(env.errors.calls[0].title, QString());
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), c.heightAtFault ? d.txtHeight : d.txtWidth);
        // The boxes stay as typed.
        EXPECT_EQ(d.txtWidth->text(), QString::fromLatin1(c.width));
    }
}

TEST_F(FixedWidthTest, APanoramaWiderThanTheSettingsCanHoldIsRefused) {
    frmSetFixedWidth& d = open(40000, 1000);
    d.txtWidth->setText(QStringLiteral("40000"));
    d.txtHeight->setText(QStringLiteral("1000"));
    clickButton(d.cmdOK);
    EXPECT_EQ(env.errors.messages(), QStringList{QStringLiteral("Overflow")});
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.focusWidget(), d.txtWidth);
    d.txtWidth->setText(QStringLiteral("32767"));
    clickButton(d.cmdOK);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.CropAreaWidth, 32767);
}

// Enter in either box presses OK, the default button; the boxes take any
// key, so letters reach the checks of OK.
TEST_F(FixedWidthTest, EnterInABoxPressesOk) {
    for (bool inHeight : {false, true}) {
        frmSetFixedWidth& d = open();
        QApplication::setActiveWindow(&d);
        QLineEdit* box = inHeight ? d.txtHeight : d.txtWidth;
        box->setFocus();
        ASSERT_TRUE(waitFor([box] { return box->hasFocus(); }));
        QTest::keyClicks(box, QStringLiteral("2x0"));
        EXPECT_EQ(box->text(), QStringLiteral("2x0"));
        box->setText(QStringLiteral("200"));
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible()) << inHeight;
        EXPECT_FALSE(d.Cancelled);
        EXPECT_EQ(inHeight ? d.CropAreaHeight : d.CropAreaWidth, 200);
    }
}

TEST_F(FixedWidthTest, CancelAndTheCloseBoxCancel) {
    for (bool closeBox : {false, true}) {
        frmSetFixedWidth& d = open();
        d.txtWidth->setText(QStringLiteral("500"));
        if (closeBox)
            d.close();
        else
            clickButton(d.cmdCancel);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(d.Cancelled);
        EXPECT_EQ(d.CropAreaWidth, 0);
        EXPECT_EQ(Options.FixedCropWidth, 100);
    }
    // The next time the boxes start from the settings again.
    EXPECT_EQ(open().txtWidth->text(), QStringLiteral("100"));
}

} // namespace
