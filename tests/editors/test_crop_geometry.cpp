#include "editors/CropGeometry.h"
#include "tests/editors/crop_test_helpers.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::string show(QSize s) {
    return std::to_string(s.width()) + "x" + std::to_string(s.height());
}

// The items from the first common size on, and their slots.
QStringList presetsOf(const CropTypes& types) {
    return types.captions.mid(croptype::FirstPreset);
}

TEST(CropTypesTest, ItemsAndSlotsForEachScreenAndPicture) {
    struct Case {
        QSize screen, picture;
        QStringList presets;
    };
    const std::vector<Case> cases = {
        // The screen is a common size: no item of its own; the larger ones go.
        {{1024, 768}, {1000, 700}, {"640 x 480", "800 x 600"}},
        // The screen's item survives where the larger common size goes, and
        // moves up into the freed place.
        {{1920, 1080},
         {1920, 1080},
         {"640 x 480", "800 x 600", "1024 x 768", "1280 x 1024", "1920 x 1080"}},
        {{1366, 768}, {1366, 768}, {"640 x 480", "800 x 600", "1024 x 768", "1366 x 768"}},
        // An 800 x 600 picture turned a quarter is 600 x 800: nothing fits.
        {{1024, 768}, {600, 800}, {}},
        // A common-size screen adds no item even when its own size is gone.
        {{1280, 1024}, {1000, 700}, {"640 x 480", "800 x 600"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(show(c.screen) + " " + show(c.picture));
        CropTypes types = cropTypesFor(c.screen, QSize(100, 100));
        EXPECT_EQ(types.captions.mid(0, 4),
                  (QStringList{"Entire Picture", "Free Hand", "Scaled", "Fixed Size"}));
        fitTypesToPicture(types, c.picture);
        EXPECT_EQ(presetsOf(types), c.presets);
        EXPECT_EQ(types.slot(croptype::EntirePicture), c.picture);
        EXPECT_EQ(types.slot(croptype::FixedSize), QSize(100, 100));
        // Each remaining item keeps its own size.
        for (int i = croptype::FirstPreset; i < types.count(); ++i) {
            const QStringList wh = types.captions[i].split(QStringLiteral(" x "));
            EXPECT_EQ(types.slot(i), QSize(wh[0].toInt(), wh[1].toInt())) << i;
        }
        for (int i = types.count(); i < croptype::SlotCount; ++i)
            EXPECT_EQ(types.slot(i), QSize(0, 0)) << i;
    }
}

TEST(CropTypesTest, ScaledIsTheLargestScreenShapeInThePicture) {
    struct Case {
        QSize screen, picture, scaled;
    };
    for (const Case& c : std::vector<Case>{{{1024, 768}, {1600, 900}, {1200, 900}},
                                           {{1024, 768}, {600, 800}, {600, 450}},
                                           {{1024, 768}, {1000, 750}, {1000, 750}},
                                           {{1024, 768}, {1000, 700}, {933, 700}},
                                           {{1366, 768}, {1000, 1000}, {1000, 562}},
                                           {{1920, 1080}, {1280, 1024}, {1280, 720}}})
        EXPECT_EQ(scaledDimensions(c.picture, c.screen), c.scaled)
            << show(c.screen) << " " << show(c.picture);
}

TEST(CropTypesTest, AStoredSizeFindsItsItem) {
    CropTypes types = cropTypesFor(QSize(1024, 768), QSize(100, 100));
    fitTypesToPicture(types, QSize(1600, 1200));
    types.setSlot(croptype::Scaled, scaledDimensions(QSize(1600, 1200), QSize(1024, 768)));
    // The first match wins: the whole picture is "Entire Picture" though the
    // scaled slot and the 1600 x 1200 item have its size too.
    EXPECT_EQ(firstTypeOfSize(types, QSize(1600, 1200)), croptype::EntirePicture);
    EXPECT_EQ(firstTypeOfSize(types, QSize(800, 600)), 5);
    EXPECT_EQ(firstTypeOfSize(types, QSize(100, 100)), croptype::FixedSize);
    EXPECT_EQ(firstTypeOfSize(types, QSize(400, 300)), -1);

    EXPECT_TRUE(hasScreenShape(QSize(400, 300), QSize(1024, 768)));
    EXPECT_TRUE(hasScreenShape(QSize(401, 300), QSize(1024, 768))); // 133 either way
    EXPECT_FALSE(hasScreenShape(QSize(400, 100), QSize(1024, 768)));
    EXPECT_FALSE(hasScreenShape(QSize(16, 9), QSize(1024, 768)));
    EXPECT_FALSE(hasScreenShape(QSize(0, 0), QSize(1024, 768)));
}

TEST(CropTypesTest, TheFixedSizeIsLimitedToThePicture) {
    EXPECT_EQ(fixedSizeWithin(QSize(3000, 2000), QSize(1024, 768)), QSize(1024, 768));
    EXPECT_EQ(fixedSizeWithin(QSize(3000, 100), QSize(1024, 768)), QSize(1024, 100));
    EXPECT_EQ(fixedSizeWithin(QSize(100, 100), QSize(1024, 768)), QSize(100, 100));
}

TEST(CropTypesTest, CaptionsAndHelpTexts) {
    EXPECT_EQ(cropAreaCaption(QSize(1024, 768)), QStringLiteral(" Crop Area: 1024 x 768"));
    const QString general = QStringLiteral(
        "Use the box below the image to select the cropping method to use on this picture.");
    EXPECT_EQ(cropTypeHelpText(-1), general);
    EXPECT_EQ(cropTypeHelpText(0), general);
    EXPECT_EQ(cropTypeHelpText(6), general);
    EXPECT_EQ(cropTypeHelpText(1), QStringLiteral("Click and drag the mouse within the image to "
                                                  "select an area to use for your wallpaper."));
    EXPECT_EQ(cropTypeHelpText(2), QStringLiteral("Use the + and - buttons to increase or "
                                                  "decrease the size of the selected area."));
    EXPECT_EQ(cropTypeHelpText(3), QStringLiteral("Click the Change Size button to select a new "
                                                  "size for the crop area."));
}

// The picture is fitted into the area down and up, keeping its shape, with
// the free side rounded to whole pixels.
TEST(DisplayFitTest, FitsDownAndUpToWholePixels) {
    struct Case {
        QSize picture, area, displayed;
        double scaleX, scaleY;
    };
    for (const Case& c : std::vector<Case>{
             {{1000, 700}, {400, 300}, {400, 280}, 0.4, 0.4},
             {{1600, 1200}, {400, 300}, {400, 300}, 0.25, 0.25},
             {{1920, 1080}, {480, 360}, {480, 270}, 0.25, 0.25},
             {{100, 100}, {480, 360}, {360, 360}, 3.6, 3.6},
             {{6000, 4000}, {480, 360}, {480, 320}, 0.08, 0.08},
             {{1000, 333}, {480, 360}, {480, 160}, 0.48, 160.0 / 333},
             {{1, 5000}, {480, 360}, {1, 360}, 1, 0.072},
         }) {
        const DisplayFit fit = fitPicture(c.picture, c.area);
        EXPECT_EQ(fit.picture, c.picture);
        EXPECT_EQ(fit.displayed, c.displayed) << show(c.picture);
        EXPECT_DOUBLE_EQ(fit.scaleX, c.scaleX) << show(c.picture);
        EXPECT_DOUBLE_EQ(fit.scaleY, c.scaleY) << show(c.picture);
    }
}

TEST(CropSelectionTest, ATypesSelectionIsCentredAndCappedAtThePicture) {
    struct Case {
        QSize picture, area, slot;
        CropSelection expected;
    };
    for (const Case& c : std::vector<Case>{
             {{1600, 1200}, {400, 300}, {800, 600}, sel(100, 75, 200, 150)},
             {{1920, 1080}, {480, 270}, {1920, 1080}, sel(0, 0, 480, 270)},
             {{1024, 768}, {512, 384}, {500, 400}, sel(131, 92, 250, 200)},
             // 333 x 233.1 rounds to 333 x 233; (400 - 333) \ 2 = 33.
             {{1200, 840}, {400, 280}, {999, 699}, sel(33, 23, 333, 233)},
             // Larger than the picture (a slot set from a stored crop).
             {{1000, 700}, {400, 280}, {2000, 100}, sel(0, 120, 400, 40)},
         }) {
        EXPECT_EQ(centredSelection(c.slot, fitPicture(c.picture, c.area)), c.expected)
            << show(c.slot);
    }
    // A stored crop is shown where it was, unrounded.
    EXPECT_EQ(storedSelection(QRect(10, 10, 800, 600), fitPicture({1000, 700}, {400, 300})),
              sel(4, 4, 320, 240));
    EXPECT_EQ(storedSelection(QRect(1, 3, 5, 7), fitPicture({1600, 1200}, {400, 300})),
              sel(0.25, 0.75, 1.25, 1.75));
}

TEST(CropSelectionTest, InTheBoxCountsTheEdgesAsInside) {
    const CropSelection s = sel(100, 50, 200, 150);
    struct Case {
        float x, y;
        bool inside;
    };
    for (const Case& c : std::vector<Case>{
             {1500, 750, true},   // the top-left corner
             {4500, 2250, true},  // the bottom-right corner
             {4515, 750, false},  // one pixel right of it
             {1492, 750, false},  // 99.47 rounds to 99
             {1493, 750, true},   // 99.53 rounds to 100
             {3000, 3008, false}, // 200.53 rounds to 201
             {3000, 3007, true},  // 200.47 rounds to 200
             {3000, 740, false},  // above
         }) {
        EXPECT_EQ(InTheBox(s, c.x, c.y, 15, 15), c.inside) << c.x << "," << c.y;
    }
    // A hidden selection has no inside.
    EXPECT_FALSE(InTheBox(CropSelection{false, 100, 50, 200, 150}, 3000, 1500, 15, 15));
    // Other twips per pixel: 12 at 120 dots to the inch.
    EXPECT_TRUE(InTheBox(s, 1200, 600, 12, 12));
    EXPECT_FALSE(InTheBox(s, 1188, 600, 12, 12));
}

TEST(CropSelectionTest, PressRoundsAndMoveTruncates) {
    EXPECT_EQ(pressPixel(3000, 1500, 15, 15), QPoint(200, 100));
    EXPECT_EQ(pressPixel(3008, 1492, 15, 15), QPoint(201, 99));
    EXPECT_EQ(movePixel(3008, 1492, 15, 15), QPoint(200, 99));
    EXPECT_EQ(movePixel(3014.4f, 1499.6f, 15, 15), QPoint(200, 100));
    EXPECT_EQ(movePixel(-20, -10, 15, 15), QPoint(-1, 0)); // toward zero
}

TEST(CropSelectionTest, AMoveStopsAtEachEdgeAndKeepsTheSize) {
    const QSize displayed(400, 300);
    struct Case {
        CropSelection from;
        int dx, dy;
        CropSelection to;
    };
    for (const Case& c : std::vector<Case>{
             {sel(100, 50, 200, 150), 30, 0, sel(130, 50, 200, 150)},
             {sel(130, 50, 200, 150), 90, 0, sel(200, 50, 200, 150)},   // right edge
             {sel(100, 50, 200, 150), 0, 200, sel(100, 150, 200, 150)}, // bottom edge
             {sel(100, 50, 200, 150), -150, -70, sel(0, 0, 200, 150)},  // top-left
             {sel(0, 0, 400, 300), 5, -5, sel(0, 0, 400, 300)},         // whole picture
             // The corrections are rounded: a fractional corner can end a
             // fraction past the edge (the way back to picture pixels keeps
             // the crop on the picture).
             {sel(10.25, 20.75, 100, 100), -20, -30, sel(0.25, -0.25, 100, 100)},
         }) {
        EXPECT_EQ(movedSelection(c.from, c.dx, c.dy, displayed), c.to) << c.dx << "," << c.dy;
    }
}

TEST(CropSelectionTest, ADrawnRectangleIsTurnedRoundAndCutToThePicture) {
    const DisplayFit fit = fitPicture(QSize(1600, 1200), QSize(400, 300)); // scale 0.25
    struct Case {
        QRectF drawn;
        CropSelection selection;
        QSize size;
    };
    for (const Case& c : std::vector<Case>{
             // Drawn from the bottom right to the top left.
             {QRectF(350, 250, -250, -200), sel(100, 50, 250, 200), {1000, 800}},
             // Past the right and bottom edges.
             {QRectF(100, 100, 400, 250), sel(100, 100, 300, 200), {1200, 800}},
             // Past the left and top edges: never a negative corner.
             {QRectF(50, 40, -80, -60), sel(0, 0, 50, 40), {200, 160}},
             {QRectF(-10, -10, 30, 30), sel(0, 0, 20, 20), {80, 80}},
         }) {
        const std::optional<DrawnArea> area = drawnArea(c.drawn, fit);
        ASSERT_TRUE(area.has_value());
        EXPECT_EQ(area->selection, c.selection);
        EXPECT_EQ(area->size, c.size);
    }
    // A click, a line, or less than half a picture pixel: nothing drawn.
    EXPECT_FALSE(drawnArea(QRectF(100, 100, 0, 0), fit));
    EXPECT_FALSE(drawnArea(QRectF(100, 100, 50, 0), fit));
    EXPECT_FALSE(drawnArea(QRectF(100, 100, 0.1, 30), fit));
    EXPECT_FALSE(drawnArea(QRectF(500, 100, 40, 30), fit)); // wholly off the right edge
}

TEST(ScaledStepTest, GrowsAndShrinksByOnePercentInTheScreensShape) {
    const QSize screen(1024, 768);
    const DisplayFit fit = fitPicture(QSize(1600, 1200), QSize(800, 600)); // scale 0.5
    const CropSelection at = sel(10, 10, 200, 150);
    struct Case {
        QSize slot;
        bool grow;
        std::optional<QSize> next;
    };
    for (const Case& c : std::vector<Case>{
             {{400, 300}, true, QSize(404, 303)},
             {{404, 303}, true, QSize(408, 306)},
             {{408, 306}, true, QSize(412, 309)},
             {{400, 300}, false, QSize(396, 297)},
             // Small sizes still move, by a pixel, in the screen's shape.
             {{40, 30}, true, QSize(41, 31)},
             {{40, 30}, false, QSize(39, 29)},
             {{50, 50}, false, QSize(49, 37)},
             // The floor: a side of 10 or less is refused.
             {{16, 12}, false, QSize(15, 11)},
             {{15, 11}, false, std::nullopt},
             // The edge: 1580 x 0.5 from a left of 10 passes 800.
             {{1570, 1178}, true, std::nullopt},
         }) {
        EXPECT_EQ(scaledStep(c.slot, c.grow, at, fit, screen), c.next)
            << show(c.slot) << (c.grow ? " +" : " -");
    }
    // At the corner the step may reach the picture's edge exactly.
    EXPECT_EQ(scaledStep(QSize(1584, 1188), true, sel(0, 0, 792, 594), fit, screen),
              QSize(1600, 1200));
    EXPECT_EQ(scaledStep(QSize(1600, 1200), true, sel(0, 0, 800, 600), fit, screen), std::nullopt);
}

TEST(ScaledStepTest, HoldingEitherButtonNeverStalls) {
    const QSize screen(1024, 768);
    const DisplayFit fit = fitPicture(QSize(1024, 768), QSize(512, 384));
    QSize slot(1024, 768);
    int steps = 0;
    while (const std::optional<QSize> next =
               scaledStep(slot, false, sel(0, 0, 1, 1), fit, screen)) {
        ASSERT_LT(next->width(), slot.width());
        // The height follows the width in the screen's shape.
        EXPECT_LE(std::abs(next->height() - next->width() * 0.75), 0.5) << show(*next);
        slot = *next;
        ASSERT_LT(++steps, 2000);
    }
    EXPECT_EQ(slot, QSize(15, 11));
    while (const std::optional<QSize> next = scaledStep(slot, true, sel(0, 0, 1, 1), fit, screen)) {
        ASSERT_GT(next->width(), slot.width());
        slot = *next;
        ASSERT_LT(++steps, 4000);
    }
    EXPECT_GT(slot.width(), 1000);
    EXPECT_LE(slot.width(), 1024);
}

TEST(ScaledStepTest, TheRepeatIntervalLadder) {
    EXPECT_EQ(nextRepeatInterval(kFirstRepeatInterval), 700);
    EXPECT_EQ(nextRepeatInterval(700), 15);
    EXPECT_EQ(nextRepeatInterval(15), 15);
    EXPECT_EQ(nextRepeatInterval(0), 700);
}

TEST(PictureRectangleTest, TheSelectionGoesBackToPicturePixelsOnThePicture) {
    struct Case {
        QSize picture, area;
        CropSelection selection;
        QSize slot;
        QRect crop;
    };
    for (const Case& c : std::vector<Case>{
             {{1600, 1200}, {400, 300}, sel(100, 75, 200, 150), {800, 600}, {400, 300, 800, 600}},
             {{1000, 700}, {400, 280}, sel(0, 0, 400, 280), {1000, 700}, {0, 0, 1000, 700}},
             // 641 x 481 shows as 320 x 240; at the bottom-right corner its
             // corner scales back to 360, 220, a pixel past the picture.
             {{1000, 700}, {500, 350}, sel(180, 110, 320, 240), {641, 481}, {359, 219, 641, 481}},
             {{1000, 700}, {500, 350}, sel(-0.3, 0, 320, 240), {641, 481}, {0, 0, 641, 481}},
         }) {
        EXPECT_EQ(pictureRectangle(c.selection, c.slot, fitPicture(c.picture, c.area)), c.crop);
    }
}

TEST(FixedCropSizeTest, TheChecksInTheirOrder) {
    for (const FixedSizeCase& c : fixedSizeCases()) {
        const FixedSizeCheck check = checkFixedCropSize(c.width, c.height, 1024, 768);
        SCOPED_TRACE(std::string(c.width) + " / " + c.height);
        EXPECT_EQ(check.accepted, c.message.isEmpty());
        EXPECT_EQ(check.message, c.message);
        if (check.accepted) {
            EXPECT_EQ(QSize(check.width, check.height), c.stored);
        } else {
            EXPECT_EQ(check.buttons, c.buttons);
            EXPECT_EQ(check.heightAtFault, c.heightAtFault);
        }
    }
}

TEST(FixedCropSizeTest, MoreThanTheSettingsCanHoldIsRefused) {
    // A 40000-pixel panorama passes the picture check; the settings read the
    // size back as a 16-bit number.
    FixedSizeCheck check = checkFixedCropSize("40000", "500", 40000, 1000);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, QStringLiteral("Overflow"));
    EXPECT_FALSE(check.heightAtFault);
    check = checkFixedCropSize("500", "32767.6", 1000, 40000);
    EXPECT_FALSE(check.accepted);
    EXPECT_TRUE(check.heightAtFault);
    check = checkFixedCropSize("32767", "32767", 40000, 40000);
    EXPECT_TRUE(check.accepted);
    EXPECT_EQ(QSize(check.width, check.height), QSize(32767, 32767));
}

} // namespace
