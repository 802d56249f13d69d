#include "engine/WallpaperPlacement.h"

#include <gtest/gtest.h>

namespace {

const AvailableArea kScreen = availableArea(1024, 768, 0);

TEST(WallpaperPlacement, BestFitFillsOneDirectionWithHalvesToEven) {
    struct Case {
        QSize picture;
        int border;
        QSize expected;
    } const cases[] = {
        {{100, 100}, 0, {768, 768}}, // small pictures are enlarged
        {{3000, 2000}, 0, {1024, 683}},
        {{800, 600}, 0, {1024, 768}}, // same proportions: the height branch
        {{686, 1024}, 0, {514, 768}}, // 514.5 rounds down to even
        {{682, 1024}, 0, {512, 768}}, // 511.5 rounds up to even
        {{2000, 1000}, 10, {1004, 502}},
        {{5000, 1}, 0, {1024, 1}}, // never a side of 0
        {{1, 5000}, 0, {1, 768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture.width());
        EXPECT_EQ(bestFitSize(c.picture, availableArea(1024, 768, c.border)), c.expected);
    }
}

TEST(WallpaperPlacement, AutomaticChoosesCentreUpToTheExactAreaAndBestFitBeyond) {
    struct Case {
        QSize picture;
        int border;
        int16_t expected;
    } const cases[] = {
        {{1024, 768}, 0, placement::Centre},  {{1025, 768}, 0, placement::BestFit},
        {{1024, 769}, 0, placement::BestFit}, {{100, 100}, 0, placement::Centre},
        {{1004, 748}, 10, placement::Centre}, {{1010, 700}, 10, placement::BestFit},
    };
    for (const Case& c : cases)
        EXPECT_EQ(autoPositionFor(c.picture, availableArea(1024, 768, c.border)), c.expected)
            << c.picture.width() << "x" << c.picture.height();
}

TEST(WallpaperPlacement, CentreCutsTheMiddleOfWhatIsTooLarge) {
    const AvailableArea area = availableArea(1024, 768, 100); // 824 x 568
    EXPECT_EQ(centredCut({1000, 500}, area), QRect(88, 0, 824, 500));
    EXPECT_EQ(centredCut({827, 571}, area), QRect(2, 2, 824, 568)); // 1.5 to even
    EXPECT_EQ(centredCut({825, 569}, area), QRect(0, 0, 824, 568)); // 0.5 to even
    EXPECT_EQ(centredCut({800, 500}, area), QRect(0, 0, 800, 500));
}

TEST(WallpaperPlacement, BorderLeavesEverySideAtLeastOnePixel) {
    EXPECT_EQ(availableArea(1024, 768, 10).size(), QSize(1004, 748));
    EXPECT_EQ(availableArea(1024, 768, 384).size(), QSize(258, 2));
    EXPECT_EQ(availableArea(1024, 767, 20000).size(), QSize(258, 1));
    EXPECT_EQ(availableArea(1024, 768, -50).size(), QSize(1024, 768));
    EXPECT_EQ(availableArea(0, 0, 0).size(), QSize(1, 1));
}

TEST(WallpaperPlacement, CropIsClippedAndIgnoredWhenNothingRemains) {
    EXPECT_EQ(clippedCrop({400, 300}, QRect(350, 250, 100, 100)), QRect(350, 250, 50, 50));
    EXPECT_FALSE(clippedCrop({400, 300}, QRect(500, 0, 10, 10)));
    EXPECT_FALSE(clippedCrop({400, 300}, QRect(0, 0, 0, 10)));
}

TEST(WallpaperPlacement, PlanTurnsBeforeCroppingAndResolvesTheAutomaticChoice) {
    const WallpaperPlan plan =
        planWallpaper({400, 300}, 90, QRect(0, 0, 300, 200), placement::Automatic, 0, kScreen);
    EXPECT_EQ(plan.position, placement::Centre);
    EXPECT_EQ(plan.region, QRect(0, 0, 300, 200));
    EXPECT_EQ(plan.size, QSize(300, 200));

    const WallpaperPlan turned = planWallpaper({400, 300}, 90, std::nullopt, 0, 0, kScreen);
    EXPECT_EQ(turned.region.size(), QSize(300, 400));
}

TEST(WallpaperPlacement, PlanLeavesTileCentreAndStretchToTheDesktopWithoutABorder) {
    for (int16_t position : {placement::Tile, placement::Centre, placement::Stretch}) {
        const WallpaperPlan plan =
            planWallpaper({3000, 200}, 0, std::nullopt, position, 0, kScreen);
        EXPECT_EQ(plan.size, QSize(3000, 200));
        EXPECT_FALSE(plan.tile);
    }
}

TEST(WallpaperPlacement, PlanTilesSmallPicturesAndCutsTheTopLeftOfLargeOnes) {
    const AvailableArea area = availableArea(1024, 768, 100);
    const WallpaperPlan small =
        planWallpaper({1000, 200}, 0, std::nullopt, placement::Tile, 100, area);
    EXPECT_TRUE(small.tile);
    EXPECT_EQ(small.size, QSize(1000, 200));
    const WallpaperPlan large =
        planWallpaper({900, 600}, 0, QRect(10, 20, 880, 570), placement::Tile, 100, area);
    EXPECT_FALSE(large.tile);
    EXPECT_EQ(large.region, QRect(10, 20, 824, 568));
}

} // namespace
