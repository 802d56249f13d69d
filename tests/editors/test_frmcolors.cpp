#include "editors/frmColors.h"
#include "engine/ProgramState.h"
#include "gui/forms/FormKit.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using ColorMath::Rgb;

namespace ColorMath {
void PrintTo(const Rgb& c, std::ostream* os);
} // namespace ColorMath

namespace {

QStringList boxes(const frmColors& form) {
    return {form.txtRed->text(), form.txtGreen->text(), form.txtBlue->text()};
}

// A point of a drawing area, in its own pixels inside the border.
QPoint inside(const ColorPictureBox* area, QPoint at) {
    return area->contentsRect().topLeft() + at;
}

void click(ColorPictureBox* area, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(area, button, {}, inside(area, at));
}

void drag(ColorPictureBox* area, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(area, button, {}, inside(area, from));
    QTest::mouseMove(area, inside(area, (from + to) / 2));
    QTest::mouseMove(area, inside(area, to));
    QTest::mouseRelease(area, button, {}, inside(area, to));
}

QColor pixelOf(QWidget* w, QPoint at) {
    return w->grab().toImage().pixelColor(at);
}

class ColorPickerTest : public ::testing::Test {
protected:
    // Opens the picker as the control panel does: with the selection's
    // colour when it has one.
    frmColors& open(std::optional<int32_t> original = std::nullopt) {
        if (original) {
            form.UseOriginalColor = true;
            form.OriginalColor = *original;
        }
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        return form;
    }

    // Gives a box the focus as the Tab key does, which selects its text.
    void tabInto(QLineEdit* box) {
        if (box->hasFocus())
            form.cmdCancel->setFocus(Qt::TabFocusReason);
        box->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(waitFor([box] { return box->hasFocus(); }));
    }

    TestEnvironment env;
    frmColors form;
};

TEST_F(ColorPickerTest, opensBlackWithoutAColourToStartFrom) {
    open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Color"));
    EXPECT_EQ(kit::helpContextId(&form), 9);
    EXPECT_EQ(boxes(form), QStringList({"0", "0", "0"}));
    EXPECT_FALSE(form.lblNew->isVisible());
    EXPECT_FALSE(form.lblOrig->isVisible());
    EXPECT_EQ(form.picColor->marker(), QPoint(0, 186)); // bottom-left
    EXPECT_EQ(form.baseColor(), (Rgb{127, 127, 127}));
    EXPECT_EQ(form.brightnessLevel(), 50);
    EXPECT_EQ(form.picArrow->triangle()[0], QPoint(0, 105));
    EXPECT_EQ(pixelOf(form.picSample, QPoint(50, 30)), QColor(Qt::black));
    // The bar runs white, grey, black.
    EXPECT_EQ(pixelOf(form.picBrightness, inside(form.picBrightness, {5, 0})), QColor(Qt::white));
    EXPECT_EQ(pixelOf(form.picBrightness, inside(form.picBrightness, {5, 94})),
              QColor(127, 127, 127));
    // The last band inside the bar is level 98, nearly black.
    EXPECT_EQ(pixelOf(form.picBrightness, inside(form.picBrightness, {5, 185})), QColor(5, 5, 5));
}

TEST_F(ColorPickerTest, opensOnPureRedWithTheSampleSplit) {
    open(0x0000FF);
    EXPECT_EQ(boxes(form), QStringList({"255", "0", "0"}));
    EXPECT_TRUE(form.lblNew->isVisible());
    EXPECT_TRUE(form.lblOrig->isVisible());
    EXPECT_EQ(form.picColor->marker(), QPoint(0, 0));
    EXPECT_EQ(form.baseColor(), (Rgb{255, 0, 0}));
    EXPECT_EQ(form.brightnessLevel(), 50);
    EXPECT_EQ(pixelOf(form.picBrightness, inside(form.picBrightness, {5, 1})), QColor(Qt::white));
    EXPECT_EQ(pixelOf(form.picBrightness, inside(form.picBrightness, {5, 94})), QColor(Qt::red));
    EXPECT_EQ(pixelOf(form.picBrightness, inside(form.picBrightness, {5, 185})), QColor(10, 0, 0));

    // A new colour shows on the left, the original stays on the right.
    click(form.picColor, {87, 0});
    EXPECT_EQ(pixelOf(form.picSample, inside(form.picSample, {5, 30})), QColor(0, 255, 255));
    EXPECT_EQ(pixelOf(form.picSample, inside(form.picSample, {95, 30})), QColor(Qt::red));
}

TEST_F(ColorPickerTest, opensAtTheLevelAndPlaceOfItsOriginalColour) {
    const struct {
        int32_t original;
        QPoint marker;
        Rgb base;
        int level;
    } cases[] = {
        {0x32C864, {47, 74}, {109, 204, 51}, 51}, // 100, 200, 50
        {0x1E140A, {113, 93}, {64, 76, 191}, 92}, // 10, 20, 30
        {0x646464, {0, 186}, {127, 127, 127}, 61},  {0xFFFFFF, {0, 186}, {127, 127, 127}, 0},
        {0x000000, {0, 186}, {127, 127, 127}, 100},
    };
    for (const auto& c : cases) {
        frmColors picker;
        picker.UseOriginalColor = true;
        picker.OriginalColor = c.original;
        picker.show();
        SCOPED_TRACE(c.original);
        EXPECT_EQ(picker.picColor->marker(), c.marker);
        EXPECT_EQ(picker.baseColor(), c.base);
        EXPECT_EQ(picker.brightnessLevel(), c.level);
        EXPECT_EQ(picker.picArrow->triangle()[0].y(),
                  ColorMath::arrowTriangle(c.level, 2850, 150, 15, 15)[0].y());
    }
}

TEST_F(ColorPickerTest, theFieldIsDrawnOnceWithTheMarkerOverIt) {
    open(0x0000FF);
    click(form.picColor, {40, 50});
    const QImage drawn = form.picColor->grab().toImage();
    const QPoint origin = form.picColor->contentsRect().topLeft();
    const QImage& clean = form.picColor->picture();
    EXPECT_EQ(drawn.pixelColor(origin + QPoint(32, 50)), QColor(Qt::black)); // left arm
    EXPECT_EQ(drawn.pixelColor(origin + QPoint(40, 58)), QColor(Qt::black)); // bottom arm
    // The gap around the point and the rest of the field show the field.
    EXPECT_EQ(drawn.pixelColor(origin + QPoint(40, 50)), clean.pixelColor(40, 50));
    EXPECT_EQ(drawn.pixelColor(origin + QPoint(120, 20)), clean.pixelColor(120, 20));
    // The previous marker is gone.
    EXPECT_EQ(drawn.pixelColor(origin + QPoint(3, 0)), clean.pixelColor(3, 0));
    // Every picker shares the one field picture.
    frmColors other;
    other.show();
    EXPECT_EQ(other.picColor->picture().constBits(), clean.constBits());
}

TEST_F(ColorPickerTest, anEightBitScreenGetsTheFieldReducedToAPalette) {
    ColorDepth = 8;
    open();
    EXPECT_EQ(form.picColor->picture().format(), QImage::Format_Indexed8);
    frmColors deep;
    ColorDepth = 24;
    deep.show();
    EXPECT_EQ(deep.picColor->picture().format(), QImage::Format_RGB32);
}

TEST_F(ColorPickerTest, aClickOnTheFieldPicksItsColourAtTheLevel) {
    open(0x0000FF);
    click(form.picColor, {87, 0});
    EXPECT_EQ(form.picColor->marker(), QPoint(87, 0));
    EXPECT_EQ(boxes(form), QStringList({"0", "255", "255"}));
    EXPECT_EQ(pixelOf(form.picBrightness, inside(form.picBrightness, {5, 94})),
              QColor(0, 255, 255));

    // The bar changes the level and keeps the base colour.
    click(form.picBrightness, {5, 46});
    EXPECT_EQ(form.brightnessLevel(), 25);
    EXPECT_EQ(boxes(form), QStringList({"128", "255", "255"}));
    click(form.picBrightness, {5, 140});
    EXPECT_EQ(boxes(form), QStringList({"0", "128", "128"}));
    EXPECT_EQ(form.picArrow->triangle()[0], ColorMath::arrowTriangle(75, 2850, 150, 15, 15)[0]);
    EXPECT_EQ(form.baseColor(), (Rgb{0, 255, 255}));

    // The field keeps the level.
    click(form.picColor, {0, 0});
    EXPECT_EQ(boxes(form), QStringList({"128", "0", "0"}));
}

TEST_F(ColorPickerTest, theBoxesTheDialogWritesDoNotMoveTheMarker) {
    open();
    tabInto(form.txtRed);
    // The right edge is hue 100, red again: read back from the boxes it
    // would put the marker at the left edge.
    click(form.picColor, {174, 0});
    EXPECT_EQ(boxes(form), QStringList({"255", "0", "0"}));
    EXPECT_EQ(form.picColor->marker(), QPoint(174, 0));
    click(form.picColor, {40, 93});
    EXPECT_EQ(boxes(form), QStringList({"142", "191", "64"}));
    EXPECT_EQ(form.picColor->marker(), QPoint(40, 93));
}

TEST_F(ColorPickerTest, draggingWithTheLeftButtonMovesTheMarkerHeldAtTheEdges) {
    open(0x0000FF);
    drag(form.picColor, {10, 10}, {300, -40});
    EXPECT_EQ(form.picColor->marker(), QPoint(174, 0));
    EXPECT_EQ(boxes(form), QStringList({"255", "0", "0"}));

    drag(form.picColor, {87, 0}, {-20, 400});
    EXPECT_EQ(form.picColor->marker(), QPoint(0, 186));
    EXPECT_EQ(boxes(form), QStringList({"127", "127", "127"}));

    // Any button picks where it is pressed; only the left one drags.
    drag(form.picColor, {87, 0}, {120, 50}, Qt::RightButton);
    EXPECT_EQ(form.picColor->marker(), QPoint(87, 0));
    EXPECT_EQ(boxes(form), QStringList({"0", "255", "255"}));
}

TEST_F(ColorPickerTest, theBarAndTheArrowStripSetTheLevelHeldAtTheEnds) {
    open(0x0000FF);
    const struct {
        ColorPictureBox* area;
        QPoint from;
        QPoint to;
        int level;
        QStringList boxes;
    } cases[] = {
        {form.picBrightness, {5, 10}, {5, 93}, 50, {"255", "0", "0"}},
        {form.picBrightness, {5, 10}, {5, -30}, 0, {"255", "255", "255"}},
        {form.picBrightness, {5, 10}, {5, 500}, 100, {"0", "0", "0"}},
        // The strip begins 10 pixels above the bar.
        {form.picArrow, {3, 150}, {3, 103}, 50, {"255", "0", "0"}},
        {form.picArrow, {3, 150}, {3, 0}, 0, {"255", "255", "255"}},
        {form.picArrow, {3, 50}, {3, 209}, 100, {"0", "0", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area->objectName().toStdString() + " to " + std::to_string(c.to.y()));
        drag(c.area, c.from, c.to);
        EXPECT_EQ(form.brightnessLevel(), c.level);
        EXPECT_EQ(boxes(form), c.boxes);
        EXPECT_EQ(form.baseColor(), (Rgb{255, 0, 0}));
    }
    // A click alone does it too, and the arrow is drawn where it points.
    click(form.picArrow, {3, 0});
    EXPECT_EQ(form.brightnessLevel(), 0);
    EXPECT_EQ(pixelOf(form.picArrow, QPoint(4, 10)), QColor(Qt::black));
    EXPECT_NE(pixelOf(form.picArrow, QPoint(4, 105)), QColor(Qt::black));
}

TEST_F(ColorPickerTest, typingIntoABoxMovesTheMarkerAndTheArrow) {
    open();
    tabInto(form.txtRed);
    EXPECT_EQ(form.txtRed->selectedText(), QStringLiteral("0")); // the focus selects it
    QTest::keyClicks(form.txtRed, QStringLiteral("100"));
    tabInto(form.txtGreen);
    QTest::keyClicks(form.txtGreen, QStringLiteral("200"));
    tabInto(form.txtBlue);
    QTest::keyClicks(form.txtBlue, QStringLiteral("50"));
    EXPECT_EQ(boxes(form), QStringList({"100", "200", "50"}));
    EXPECT_EQ(form.picColor->marker(), QPoint(47, 74));
    EXPECT_EQ(form.brightnessLevel(), 51);
    EXPECT_EQ(form.baseColor(), (Rgb{109, 204, 51}));
    EXPECT_EQ(pixelOf(form.picSample, QPoint(50, 30)), QColor(100, 200, 50));
}

TEST_F(ColorPickerTest, theBoxesTakeOnlyDigitsAndAtMostThree) {
    open();
    const struct {
        const char* typed;
        const char* text;
    } cases[] = {
        {"12", "12"},      {"1234", "123"}, {"300", "255"},
        {"9a-.,+8", "98"}, {"25\b7", "27"}, {"999", "255"},
    };
    for (const auto& c : cases) {
        tabInto(form.txtGreen);
        QTest::keyClicks(form.txtGreen, QString::fromLatin1(c.typed));
        EXPECT_EQ(form.txtGreen->text(), QString::fromLatin1(c.text)) << c.typed;
        tabInto(form.txtRed);
    }
    // "300" is cut to "255" with the caret after it.
    tabInto(form.txtBlue);
    QTest::keyClicks(form.txtBlue, QStringLiteral("300"));
    EXPECT_EQ(form.txtBlue->text(), QStringLiteral("255"));
    EXPECT_EQ(form.txtBlue->cursorPosition(), 3);
    EXPECT_EQ(form.picColor->marker(), QPoint(87, 0)); // 0, 255, 255 by then
}

TEST_F(ColorPickerTest, pastedPartsAreCutToTheRangeOfAByte) {
    open();
    const struct {
        const char* pasted;
        const char* text; // what the box shows
        int red;          // what the picker takes from it
    } cases[] = {
        {"-5", "-5", 0},   {"255.5", "255", 255},   {"1000", "255", 255},
        {"abc", "abc", 0}, {"127.5", "127.5", 128},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pasted);
        tabInto(form.txtRed);
        QApplication::clipboard()->setText(QString::fromLatin1(c.pasted));
        QTest::keyClick(form.txtRed, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(form.txtRed->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(pixelOf(form.picSample, QPoint(50, 30)).red(), c.red);
    }
}

class ColorPickerAnswers : public ::testing::Test {
protected:
    TestEnvironment env;
    ModalAnswerer answers;
};

TEST_F(ColorPickerAnswers, okReturnsTheBoxesColour) {
    frmColors form;
    answers.next<frmColors>([](frmColors* d) {
        // The red box has the focus with its text selected; Tab moves on.
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_TRUE(d->txtRed->hasFocus());
        EXPECT_EQ(d->txtRed->selectedText(), QStringLiteral("0"));
        QTest::keyClicks(d->txtRed, QStringLiteral("100"));
        QTest::keyClick(d->txtRed, Qt::Key_Tab);
        EXPECT_TRUE(d->txtGreen->hasFocus());
        QTest::keyClicks(d->txtGreen, QStringLiteral("200"));
        QTest::keyClick(d->txtGreen, Qt::Key_Tab);
        QTest::keyClicks(d->txtBlue, QStringLiteral("50"));
        clickButton(d->cmdOK);
    });
    form.showModal();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Cancelled);
    EXPECT_EQ(form.SelectedColor, 3328100);
    EXPECT_EQ(form.Red, 100);
    EXPECT_EQ(form.Green, 200);
    EXPECT_EQ(form.Blue, 50);
}

TEST_F(ColorPickerAnswers, aPastedNegativePartIsTakenAsZero) {
    frmColors form;
    form.UseOriginalColor = true;
    form.OriginalColor = 0x00FF00;
    answers.next<frmColors>([](frmColors* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QApplication::clipboard()->setText(QStringLiteral("-5"));
        QTest::keyClick(d->txtRed, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(d->txtRed->text(), QStringLiteral("-5"));
        QTest::keyClick(d->txtRed, Qt::Key_Return); // Enter is OK
    });
    form.showModal();
    EXPECT_FALSE(form.Cancelled);
    EXPECT_EQ(form.Red, 0);
    EXPECT_EQ(form.SelectedColor, 0x00FF00);
}

TEST_F(ColorPickerAnswers, everyWayOutButOkIsCancel) {
    const struct {
        const char* how;
        std::function<void(frmColors*)> leave;
    } ways[] = {
        {"Cancel", [](frmColors* d) { clickButton(d->cmdCancel); }},
        {"Escape", [](frmColors* d) { QTest::keyClick(d->txtRed, Qt::Key_Escape); }},
        // The close box of the title bar.
        {"close box", [](frmColors* d) { d->close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        frmColors form;
        answers.next<frmColors>([&way](frmColors* d) {
            QTest::mouseClick(d->picColor, Qt::LeftButton, {},
                              d->picColor->contentsRect().topLeft() + QPoint(87, 0));
            EXPECT_EQ(d->txtGreen->text(), QStringLiteral("255"));
            way.leave(d);
        });
        form.showModal();
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(form.Cancelled);
        EXPECT_EQ(form.SelectedColor, 0);
    }
}

} // namespace
