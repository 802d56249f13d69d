#include "editors/CropPicture.h"
#include "editors/frmCrop.h"
#include "editors/frmSetFixedWidth.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/editors/crop_test_helpers.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const QString kGeneralHelp = QStringLiteral(
    "Use the box below the image to select the cropping method to use on this picture.");

class CropDialogTest : public ::testing::Test {
protected:
    // A white picture of that size with its bottom-left quarter blue, so
    // that a turn shows.
    QString picture(int width, int height, const QString& name = QStringLiteral("p.png")) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(250, 250, 250));
        QPainter(&image).fillRect(0, height / 2, width / 2, height - height / 2, QColor(0, 0, 250));
        const QString path = env.path(name);
        QImageWriter writer(path);
        writer.setTransformation(orientation);
        EXPECT_TRUE(writer.write(image));
        return path;
    }

    // The dialog as a caller opens it: fields, then the picture, then shown
    // (here without a modal loop, so that the test can work its controls).
    frmCrop& open(const QString& path, QSize fitArea,
                  const std::function<void(frmCrop&)>& fields = {}) {
        dialog = std::make_unique<frmCrop>();
        dialog->FitArea = fitArea;
        if (fields)
            fields(*dialog);
        dialog->setFileName(path);
        dialog->show();
        return *dialog;
    }

    static void storeCrop(frmCrop& d, QRect crop) {
        d.CropLeft = crop.left();
        d.CropTop = crop.top();
        d.CropWidth = crop.width();
        d.CropHeight = crop.height();
    }

    static QStringList items(const frmCrop& d) {
        QStringList out;
        for (int i = 0; i < d.cmbCropType->count(); ++i)
            out << d.cmbCropType->itemText(i);
        return out;
    }

    static void choose(frmCrop& d, const QString& caption) { chooseCropType(d, caption); }

    static CropSelection selection(const frmCrop& d) { return d.lpicCrop->selection(); }

    // OK, and the rectangle it returns.
    static QRect ok(frmCrop& d) {
        clickButton(d.cmdOK);
        EXPECT_FALSE(d.isVisible());
        EXPECT_FALSE(d.Cancelled);
        return QRect(d.CropLeft, d.CropTop, d.CropWidth, d.CropHeight);
    }

    TestEnvironment env;
    ModalAnswerer answers;
    QImageIOHandler::Transformations orientation;
    std::unique_ptr<frmCrop> dialog;
};

TEST_F(CropDialogTest, AnEntryWithoutACropOpensOnTheEntirePicture) {
    frmCrop& d = open(picture(1000, 700), QSize(400, 300));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Select Picture Area"));
    EXPECT_EQ(kit::helpContextId(&d), 6);
    EXPECT_EQ(d.Frame1->title(),
              QStringLiteral("Select a part of your picture to use as your desktop "));
    // The screen, 1024 x 768, is a common size: no item of its own.
    EXPECT_EQ(items(d), (QStringList{"Entire Picture", "Free Hand", "Scaled", "Fixed Size",
                                     "640 x 480", "800 x 600"}));
    EXPECT_EQ(d.cmbCropType->currentIndex(), 0);
    EXPECT_EQ(d.Label1->text(), kGeneralHelp);
    EXPECT_FALSE(d.cmdPlus->isEnabled());
    EXPECT_FALSE(d.cmdMinus->isEnabled());
    EXPECT_FALSE(d.cmdChangeSize->isEnabled());
    EXPECT_EQ(d.lblFileName->text(), env.path("p.png"));
    // Fitted into 400 x 300: 400 x 280, and the whole of it selected.
    EXPECT_EQ(d.lpicCrop->size(), QSize(400, 280));
    EXPECT_EQ(selection(d), sel(0, 0, 400, 280));
    EXPECT_EQ(d.lblCropArea->text(), QStringLiteral(" Crop Area: 1000 x 700"));
    EXPECT_EQ(ok(d), QRect(0, 0, 1000, 700));
}

TEST_F(CropDialogTest, EachChoiceCentresItsSizeAndOkReturnsItInPicturePixels) {
    const QString path = picture(1000, 700); // shown at 400 x 280, 0.4 of it
    struct Case {
        QString item;
        CropSelection shown;
        QString area;
        bool plusMinus, changeSize;
        QRect crop;
    };
    const std::vector<Case> cases = {
        {"Entire Picture",
         sel(0, 0, 400, 280),
         " Crop Area: 1000 x 700",
         false,
         false,
         {0, 0, 1000, 700}},
        // 933 x 700 shows as 373 x 280; 13 / 0.4 = 32.5 rounds to 32.
        {"Scaled", sel(13, 0, 373, 280), " Crop Area: 933 x 700", true, false, {32, 0, 933, 700}},
        {"Fixed Size",
         sel(180, 120, 40, 40),
         " Crop Area: 100 x 100",
         false,
         true,
         {450, 300, 100, 100}},
        {"640 x 480",
         sel(72, 44, 256, 192),
         " Crop Area: 640 x 480",
         false,
         false,
         {180, 110, 640, 480}},
        {"800 x 600",
         sel(40, 20, 320, 240),
         " Crop Area: 800 x 600",
         false,
         false,
         {100, 50, 800, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.toStdString());
        frmCrop& d = open(path, QSize(400, 300));
        choose(d, c.item);
        EXPECT_EQ(selection(d), c.shown);
        EXPECT_EQ(d.lblCropArea->text(), c.area);
        EXPECT_EQ(d.cmdPlus->isEnabled(), c.plusMinus);
        EXPECT_EQ(d.cmdMinus->isEnabled(), c.plusMinus);
        EXPECT_EQ(d.cmdChangeSize->isEnabled(), c.changeSize);
        EXPECT_FALSE(d.lpicCrop->freeDrawing());
        EXPECT_EQ(ok(d), c.crop);
    }
}

TEST_F(CropDialogTest, HelpTextFollowsTheChoice) {
    frmCrop& d = open(picture(1000, 700), QSize(400, 300));
    for (int i = 0; i < d.cmbCropType->count(); ++i) {
        choose(d, d.cmbCropType->itemText(i));
        EXPECT_EQ(d.Label1->text(), cropTypeHelpText(i)) << i;
    }
}

TEST_F(CropDialogTest, TheScreensOwnSizeIsAnItemWhenItIsNoCommonSize) {
    env.screen.width = 1920;
    env.screen.height = 1080;
    frmCrop& d = open(picture(1920, 1080), QSize(480, 360));
    // 1600 x 1200 does not fit the picture; the screen's item moves into its place.
    EXPECT_EQ(items(d).mid(4),
              (QStringList{"640 x 480", "800 x 600", "1024 x 768", "1280 x 1024", "1920 x 1080"}));
    choose(d, QStringLiteral("1920 x 1080"));
    EXPECT_EQ(selection(d), sel(0, 0, 480, 270));
    EXPECT_EQ(d.lblCropArea->text(), QStringLiteral(" Crop Area: 1920 x 1080"));
    EXPECT_EQ(ok(d), QRect(0, 0, 1920, 1080));
}

TEST_F(CropDialogTest, ACommonSizeScreenAddsNoItemEvenWhenItsSizeIsRemoved) {
    env.screen.width = 1280;
    env.screen.height = 1024;
    frmCrop& d = open(picture(1000, 700), QSize(400, 300));
    EXPECT_EQ(items(d).mid(4), (QStringList{"640 x 480", "800 x 600"}));
}

TEST_F(CropDialogTest, ATurnedPictureIsCroppedInTheTurnedPixels) {
    // 800 x 600 turned a quarter is 600 x 800: no common size fits.
    frmCrop& d = open(picture(800, 600), QSize(400, 300), [](frmCrop& f) { f.CropRotation = 90; });
    EXPECT_EQ(items(d), (QStringList{"Entire Picture", "Free Hand", "Scaled", "Fixed Size"}));
    EXPECT_EQ(d.lpicCrop->size(), QSize(225, 300));
    // The picture's top-left after a clockwise turn is its old bottom-left.
    EXPECT_EQ(QColor(d.lpicCrop->picture().pixel(10, 10)), QColor(0, 0, 250));
    choose(d, QStringLiteral("Scaled"));
    EXPECT_EQ(d.lblCropArea->text(), QStringLiteral(" Crop Area: 600 x 450"));
    choose(d, QStringLiteral("Entire Picture"));
    EXPECT_EQ(ok(d), QRect(0, 0, 600, 800));
}

TEST_F(CropDialogTest, APortraitPhotoIsCroppedAsTheDesktopShowsIt) {
    // A camera stores a portrait photo as landscape pixels and says to turn it.
    orientation = QImageIOHandler::TransformationRotate90;
    const QString photo = picture(600, 400, QStringLiteral("phone.jpg"));
    frmCrop& d = open(photo, QSize(480, 360));
    EXPECT_EQ(d.displayFit().picture, QSize(400, 600));
    EXPECT_EQ(d.lpicCrop->size(), QSize(240, 360));
    const QColor topLeft(d.lpicCrop->picture().pixel(20, 20));
    EXPECT_NEAR(topLeft.blue(), 250, 12); // the stored bottom-left
    EXPECT_LT(topLeft.red(), 12);
    EXPECT_EQ(ok(d), QRect(0, 0, 400, 600));

    // The entry's own turn comes after the camera's.
    frmCrop& turned = open(photo, QSize(480, 360), [](frmCrop& f) { f.CropRotation = 90; });
    EXPECT_EQ(turned.displayFit().picture, QSize(600, 400));
    EXPECT_EQ(ok(turned), QRect(0, 0, 600, 400));
}

TEST_F(CropDialogTest, AStoredCropOpensOnItsItemWhereItWas) {
    const QString path = picture(1600, 1200); // shown at 400 x 300, a quarter of it
    struct Case {
        QRect stored;
        QString item;
        CropSelection shown;
    };
    for (const Case& c : std::vector<Case>{
             {{100, 50, 400, 300}, "Scaled", sel(25, 12.5, 100, 75)},
             {{100, 50, 400, 100}, "Free Hand", sel(25, 12.5, 100, 25)},
             {{0, 0, 1600, 1200}, "Entire Picture", sel(0, 0, 400, 300)},
             {{10, 10, 800, 600}, "800 x 600", sel(2.5, 2.5, 200, 150)},
             {{5, 5, 100, 100}, "Fixed Size", sel(1.25, 1.25, 25, 25)},
         }) {
        SCOPED_TRACE(c.item.toStdString());
        frmCrop& d = open(path, QSize(400, 300), [&](frmCrop& f) { storeCrop(f, c.stored); });
        EXPECT_EQ(d.cmbCropType->currentText(), c.item);
        EXPECT_EQ(selection(d), c.shown);
        EXPECT_EQ(d.lblCropArea->text(), cropAreaCaption(c.stored.size()));
        EXPECT_EQ(d.Label1->text(), cropTypeHelpText(d.cmbCropType->currentIndex()));
        EXPECT_EQ(d.cmdPlus->isEnabled(), c.item == "Scaled");
        EXPECT_EQ(d.lpicCrop->freeDrawing(), c.item == "Free Hand");
        // OK without a change gives the stored rectangle back.
        EXPECT_EQ(ok(d), c.stored);
    }
}

TEST_F(CropDialogTest, FreeHandWithNothingDrawnKeepsTheCallersValues) {
    frmCrop& d = open(picture(1000, 700), QSize(400, 300));
    choose(d, QStringLiteral("Free Hand"));
    EXPECT_FALSE(selection(d).shown);
    EXPECT_TRUE(d.lpicCrop->freeDrawing());
    EXPECT_EQ(d.lblCropArea->text(), QString());
    EXPECT_FALSE(d.cmdPlus->isEnabled());
    // Still no crop: -1 never turns into a crop of nothing.
    EXPECT_EQ(ok(d), QRect(-1, 0, 0, 0));
}

TEST_F(CropDialogTest, CancelEscapeAndTheCloseBoxKeepTheCallersValues) {
    const QString path = picture(1000, 700);
    const std::vector<std::pair<const char*, std::function<void(frmCrop&)>>> ways = {
        {"Cancel", [](frmCrop& d) { clickButton(d.cmdCancel); }},
        {"Escape", [](frmCrop& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close box", [](frmCrop& d) { d.close(); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        frmCrop& d =
            open(path, QSize(400, 300), [](frmCrop& f) { storeCrop(f, QRect(10, 20, 300, 200)); });
        choose(d, QStringLiteral("800 x 600"));
        way(d);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(d.Cancelled);
        EXPECT_EQ(QRect(d.CropLeft, d.CropTop, d.CropWidth, d.CropHeight), QRect(10, 20, 300, 200));
    }
}

TEST_F(CropDialogTest, TheModalDialogAnswersTheRequest) {
    CropRequest request;
    request.FileName = picture(1000, 700);
    answers.next<frmCrop>([](frmCrop* d) {
        choose(*d, QStringLiteral("800 x 600"));
        clickButton(d->cmdOK);
    });
    CropAnswer answer = showCropDialog(request);
    EXPECT_FALSE(answer.Cancelled);
    // Shown in the holder's 480 x 360 at 0.48: 384 x 288 at 48, 24.
    EXPECT_EQ(QRect(answer.CropLeft, answer.CropTop, answer.CropWidth, answer.CropHeight),
              QRect(100, 50, 800, 600));

    answers.next<frmCrop>([](frmCrop* d) { d->close(); });
    answer = showCropDialog(request);
    EXPECT_TRUE(answer.Cancelled);
    EXPECT_EQ(answers.opened, (QStringList{"frmCrop", "frmCrop"}));
}

TEST_F(CropDialogTest, APictureThatCannotBeShownIsReportedAndCancels) {
    env.writeFile(QStringLiteral("notes.jpg"), "this is not a picture");
    // A bitmap header that claims no pixels at all.
    env.writeFile(QStringLiteral("empty.pbm"), "P1\n0 0\n");
    struct Case {
        QString file, message;
    };
    for (const Case& c : std::vector<Case>{{"absent.jpg", "File Not Found"},
                                           {"notes.jpg", "Invalid File Format"},
                                           {"empty.pbm", "Invalid File Format"}}) {
        env.errors.calls.clear();
        CropRequest request;
        request.FileName = env.path(c.file);
        const CropAnswer answer = showCropDialog(request);
        EXPECT_TRUE(answer.Cancelled);
        EXPECT_EQ(env.errors.messages(), QStringList{c.message});
    }
    // No window was put up.
    EXPECT_TRUE(answers.opened.isEmpty());
}

TEST_F(CropDialogTest, TheBackColourShowsAroundThePicture) {
    const QString path = picture(1000, 700); // 480 x 336 in the 480 x 360 holder
    struct Case {
        int32_t colour;
        QColor shown;
    };
    for (const Case& c : std::vector<Case>{{0x0000FF, QColor(255, 0, 0)},
                                           {0x204060, QColor(0x60, 0x40, 0x20)},
                                           {-1, QColor(0, 0, 0)}}) {
        frmCrop& d = open(path, QSize(), [&](frmCrop& f) {
            storeCrop(f, QRect(0, 0, 1000, 700));
            f.CropBackColor = c.colour;
        });
        EXPECT_EQ(d.lpicCrop->size(), QSize(480, 336));
        const QImage holder = d.picHolder->grab().toImage();
        EXPECT_EQ(QColor(holder.pixel(240, 350)), c.shown) << c.colour;
    }
}

// Moving the selection with the mouse: 1600 x 1200 shown at 400 x 300.
TEST_F(CropDialogTest, DraggingMovesTheSelectionAndStopsAtTheEdge) {
    frmCrop& d = open(picture(1600, 1200), QSize(400, 300));
    choose(d, QStringLiteral("800 x 600"));
    ASSERT_EQ(selection(d), sel(100, 75, 200, 150));
    CropPicture* pic = d.lpicCrop;

    QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(200, 100));
    EXPECT_EQ(pic->mousePointer(), 5);
    EXPECT_EQ(pic->cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseMove(pic, QPoint(230, 100));
    EXPECT_EQ(selection(d), sel(130, 75, 200, 150));
    // 90 more would pass the right edge: it stops there.
    QTest::mouseMove(pic, QPoint(320, 100));
    EXPECT_EQ(selection(d), sel(200, 75, 200, 150));
    // Upward: moves count only inside the selection, so it climbs in
    // steps, and the last one stops at the top edge.
    for (int y : {75, 50, 25, 0})
        QTest::mouseMove(pic, QPoint(320, y));
    EXPECT_EQ(selection(d), sel(200, 0, 200, 150));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(320, 0));
    EXPECT_EQ(pic->mousePointer(), 0);
    EXPECT_EQ(ok(d), QRect(800, 0, 800, 600));
}

TEST_F(CropDialogTest, OnlyAPressInsideWithTheLeftButtonMoves) {
    frmCrop& d = open(picture(1600, 1200), QSize(400, 300));
    choose(d, QStringLiteral("800 x 600"));
    CropPicture* pic = d.lpicCrop;
    // A press outside starts nothing.
    QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(pic->mousePointer(), 0);
    QTest::mouseMove(pic, QPoint(150, 120));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(150, 120));
    EXPECT_EQ(selection(d), sel(100, 75, 200, 150));
    // The right button held moves nothing.
    QTest::mousePress(pic, Qt::RightButton, {}, QPoint(150, 100));
    QTest::mouseMove(pic, QPoint(180, 120));
    QTest::mouseRelease(pic, Qt::RightButton, {}, QPoint(180, 120));
    EXPECT_EQ(selection(d), sel(100, 75, 200, 150));
}

TEST_F(CropDialogTest, ASelectionDrawnByHandIsCutToThePictureAndReturned) {
    frmCrop& d = open(picture(1600, 1200), QSize(400, 300));
    choose(d, QStringLiteral("Free Hand"));
    CropPicture* pic = d.lpicCrop;
    struct Case {
        QPoint from, to;
        CropSelection shown;
        QRect crop;
    };
    for (const Case& c : std::vector<Case>{
             // From the bottom right to the top left.
             {{350, 250}, {100, 50}, sel(100, 50, 250, 200), {400, 200, 1000, 800}},
             // Past the right and bottom edges.
             {{300, 200}, {450, 350}, sel(300, 200, 100, 100), {1200, 800, 400, 400}},
             // Past the left and top edges.
             {{50, 40}, {-30, -20}, sel(0, 0, 50, 40), {0, 0, 200, 160}},
         }) {
        QTest::mousePress(pic, Qt::LeftButton, {}, c.from);
        EXPECT_EQ(pic->mousePointer(), 2);
        EXPECT_FALSE(selection(d).shown);
        QTest::mouseMove(pic, c.to);
        QTest::mouseRelease(pic, Qt::LeftButton, {}, c.to);
        EXPECT_EQ(pic->mousePointer(), 0);
        EXPECT_EQ(selection(d), c.shown);
        EXPECT_EQ(d.lblCropArea->text(), cropAreaCaption(c.crop.size()));
        EXPECT_EQ(pictureRectangle(selection(d), c.crop.size(), d.displayFit()), c.crop);
    }
    // A click without a drag keeps the last drawing.
    QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_EQ(selection(d), sel(0, 0, 50, 40));
    EXPECT_EQ(d.lblCropArea->text(), QStringLiteral(" Crop Area: 200 x 160"));
    EXPECT_EQ(ok(d), QRect(0, 0, 200, 160));
}

TEST_F(CropDialogTest, ADrawnSelectionCannotBeMoved) {
    frmCrop& d = open(picture(1600, 1200), QSize(400, 300),
                      [](frmCrop& f) { storeCrop(f, QRect(100, 50, 400, 100)); });
    ASSERT_EQ(d.cmbCropType->currentText(), QStringLiteral("Free Hand"));
    // A press in it starts a new drawing instead; a click keeps it.
    QTest::mouseClick(d.lpicCrop, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_EQ(selection(d), sel(25, 12.5, 100, 25));
    EXPECT_EQ(ok(d), QRect(100, 50, 400, 100));
}

// The + and - buttons: 1600 x 1200 shown at 800 x 600, half of it.
class CropRepeatTest : public CropDialogTest {
protected:
    frmCrop& openScaled(QRect stored) {
        frmCrop& d =
            open(picture(1600, 1200), QSize(800, 600), [&](frmCrop& f) { storeCrop(f, stored); });
        EXPECT_EQ(d.cmbCropType->currentText(), QStringLiteral("Scaled"));
        return d;
    }
    // Holds the button down and lets the timer tick `ticks` times; notes the
    // interval after each tick and the size it shows.
    void hold(frmCrop& d, QPushButton* button, int ticks) {
        QTest::mousePress(button, Qt::LeftButton);
        EXPECT_TRUE(d.Timer1->isActive());
        EXPECT_EQ(d.Timer1->interval(), 10);
        for (int i = 0; i < ticks; ++i) {
            d.Timer1_Timer();
            intervals << d.Timer1->interval();
            sizes << d.lblCropArea->text();
        }
        QTest::mouseRelease(button, Qt::LeftButton);
        EXPECT_FALSE(d.Timer1->isActive());
    }
    QList<int> intervals;
    QStringList sizes;
};

TEST_F(CropRepeatTest, HoldingPlusStepsOnTheIntervalLadder) {
    frmCrop& d = openScaled(QRect(20, 20, 400, 300));
    hold(d, d.cmdPlus, 3);
    EXPECT_EQ(d.timerTag(), QStringLiteral("PLUS"));
    EXPECT_EQ(intervals, (QList<int>{700, 15, 15}));
    EXPECT_EQ(sizes, (QStringList{" Crop Area: 404 x 303", " Crop Area: 408 x 306",
                                  " Crop Area: 412 x 309"}));
    // It grows from its top-left corner.
    EXPECT_EQ(selection(d), sel(10, 10, 206, 154.5));

    // The ladder starts again at the next press.
    intervals.clear();
    sizes.clear();
    hold(d, d.cmdMinus, 2);
    EXPECT_EQ(d.timerTag(), QStringLiteral("MINUS"));
    EXPECT_EQ(intervals, (QList<int>{700, 15}));
    EXPECT_EQ(sizes, (QStringList{" Crop Area: 408 x 306", " Crop Area: 404 x 303"}));
    EXPECT_EQ(ok(d), QRect(20, 20, 404, 303));
}

TEST_F(CropRepeatTest, PlusStopsWholeAtThePicturesEdge) {
    frmCrop& d = openScaled(QRect(600, 400, 804, 603));
    hold(d, d.cmdPlus, 40);
    // 21 steps to 991 x 743, which ends at 1591 x 1143; 1001 wide would
    // pass the right edge by a pixel.
    EXPECT_EQ(sizes.last(), QStringLiteral(" Crop Area: 991 x 743"));
    EXPECT_EQ(sizes.count(sizes.last()), 40 - 21 + 1);
    const CropSelection s = selection(d);
    EXPECT_LE(s.left + s.width, 800);
    EXPECT_LE(s.top + s.height, 600);
    EXPECT_EQ(ok(d), QRect(600, 400, 991, 743));
}

TEST_F(CropRepeatTest, ARefusedStepChangesNothingNotEvenTheInterval) {
    frmCrop& d = openScaled(QRect(400, 300, 1200, 900)); // its corner on the picture's
    hold(d, d.cmdPlus, 2);
    EXPECT_EQ(intervals, (QList<int>{10, 10}));
    EXPECT_EQ(sizes, QStringList(2, QStringLiteral(" Crop Area: 1200 x 900")));
    EXPECT_EQ(selection(d), sel(200, 150, 600, 450));
}

TEST_F(CropRepeatTest, MinusStopsAtTheFloorAndNeverStalls) {
    frmCrop& d = openScaled(QRect(0, 0, 40, 30));
    hold(d, d.cmdMinus, 40);
    EXPECT_EQ(sizes.first(), QStringLiteral(" Crop Area: 39 x 29"));
    EXPECT_EQ(sizes.last(), QStringLiteral(" Crop Area: 15 x 11"));
    EXPECT_EQ(ok(d), QRect(0, 0, 15, 11));
}

TEST_F(CropRepeatTest, TheFirstStepComesFromTheTimer) {
    frmCrop& d = openScaled(QRect(20, 20, 400, 300));
    QTest::mousePress(d.cmdPlus, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return d.lblCropArea->text() != cropAreaCaption({400, 300}); }));
    QTest::mouseRelease(d.cmdPlus, Qt::LeftButton);
    EXPECT_FALSE(d.Timer1->isActive());
    EXPECT_EQ(d.lblCropArea->text(), QStringLiteral(" Crop Area: 404 x 303"));
}

TEST_F(CropRepeatTest, PlusAndMinusWorkOnlyForScaled) {
    frmCrop& d = openScaled(QRect(20, 20, 400, 300));
    choose(d, QStringLiteral("Free Hand"));
    EXPECT_FALSE(d.cmdPlus->isEnabled());
    QTest::mousePress(d.cmdPlus, Qt::LeftButton);
    EXPECT_FALSE(d.Timer1->isActive());
    QTest::mouseRelease(d.cmdPlus, Qt::LeftButton);
    // Nothing shown: a tick does nothing.
    d.Timer1_Timer();
    EXPECT_EQ(d.lblCropArea->text(), QString());
}

TEST_F(CropDialogTest, ChangeSizeSetsTheFixedSizeAndCentresIt) {
    Options.FixedCropWidth = 3000;
    Options.FixedCropHeight = 2000;
    frmCrop& d = open(picture(1024, 768), QSize(512, 384));
    choose(d, QStringLiteral("Fixed Size"));
    // Limited to the picture; the settings keep their value.
    EXPECT_EQ(d.lblCropArea->text(), QStringLiteral(" Crop Area: 1024 x 768"));
    EXPECT_EQ(Options.FixedCropWidth, 3000);

    // Cancelled: nothing changes.
    answers.next<frmSetFixedWidth>([](frmSetFixedWidth* f) { clickButton(f->cmdCancel); });
    clickButton(d.cmdChangeSize);
    EXPECT_EQ(Options.FixedCropWidth, 3000);
    EXPECT_EQ(selection(d), sel(0, 0, 512, 384));

    answers.next<frmSetFixedWidth>([](frmSetFixedWidth* f) {
        EXPECT_EQ(f->ImageWidth, 1024);
        EXPECT_EQ(f->ImageHeight, 768);
        EXPECT_EQ(f->txtWidth->text(), QStringLiteral("3000"));
        f->txtWidth->setText(QStringLiteral("500"));
        f->txtHeight->setText(QStringLiteral("400"));
        clickButton(f->cmdOK);
    });
    clickButton(d.cmdChangeSize);
    EXPECT_EQ(Options.FixedCropWidth, 500);
    EXPECT_EQ(Options.FixedCropHeight, 400);
    EXPECT_EQ(selection(d), sel(131, 92, 250, 200));
    EXPECT_EQ(d.lblCropArea->text(), QStringLiteral(" Crop Area: 500 x 400"));
    EXPECT_EQ(ok(d), QRect(262, 184, 500, 400));
    EXPECT_EQ(answers.opened, (QStringList{"frmSetFixedWidth", "frmSetFixedWidth"}));
}

TEST_F(CropDialogTest, ASelectionAtTheCornerStaysOnThePicture) {
    // 641 x 481 shows as 320 x 240 at half size; moved to the bottom-right
    // corner its corner scales back a pixel past the picture's edge.
    Options.FixedCropWidth = 641;
    Options.FixedCropHeight = 481;
    frmCrop& d = open(picture(1000, 700), QSize(500, 350));
    choose(d, QStringLiteral("Fixed Size"));
    ASSERT_EQ(selection(d), sel(90, 55, 320, 240));
    QTest::mousePress(d.lpicCrop, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(d.lpicCrop, QPoint(200, 200));
    QTest::mouseRelease(d.lpicCrop, Qt::LeftButton, {}, QPoint(200, 200));
    ASSERT_EQ(selection(d), sel(180, 110, 320, 240));
    EXPECT_EQ(ok(d), QRect(359, 219, 641, 481));
}

} // namespace
