#include "editors/ColorMath.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace ColorMath;

namespace ColorMath {
void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}
} // namespace ColorMath

TEST(ColorMathTest, colourValuesKeepRedInTheLowByte) {
    EXPECT_EQ(rgbValue({100, 200, 50}), 3328100); // &H32C864
    EXPECT_EQ(rgbValue({255, 0, 0}), 255);
    EXPECT_EQ(splitColor(0x32C864), (Rgb{100, 200, 50}));
    // Anything above the blue byte is not a colour part.
    EXPECT_EQ(splitColor(0x7F0000FF), (Rgb{255, 0, 0}));
}

TEST(ColorMathTest, aPartReadFromABoxIsRoundedAndKeptWithinAByte) {
    const struct {
        const char* text;
        int part;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"  7", 7},
        {"12abc", 12},
        {"127.5", 128},
        {"126.5", 126},
        {"255.5", 255},
        {"300", 255},
        {"-5", 0},
        {"-0.4", 0},
        {"99999999999999999999", 255},
    };
    for (const auto& c : cases)
        EXPECT_EQ(channelFromText(QString::fromLatin1(c.text)), c.part) << c.text;
}

TEST(ColorMathTest, aColourFindsItsSectorHueGreyAndLevel) {
    const struct {
        Rgb rgb;
        int sector;
        int hue;
        int grey;
        int level;
    } cases[] = {
        {{255, 0, 0}, 0, 0, 0, 50},
        {{255, 128, 0}, 0, 8, 0, 50},
        {{100, 200, 50}, 1, 27, 40, 51},
        {{0, 255, 0}, 1, 33, 0, 50},
        {{0, 128, 255}, 3, 58, 0, 50},
        {{10, 20, 30}, 3, 65, 50, 92},
        {{50, 200, 220}, 3, 54, 29, 47},
        {{255, 0, 255}, 4, 83, 0, 50},
        {{128, 0, 255}, 4, 75, 0, 50},
        {{200, 50, 120}, 5, 92, 40, 51},
        // Greys sit at the bottom-left corner; black and white through the
        // lightness 0 and 255 rules.
        {{0, 0, 0}, 0, 0, 100, 100},
        {{100, 100, 100}, 0, 0, 100, 61},
        {{255, 255, 255}, 0, 0, 100, 0},
        // Near white is fully saturated, as the model has it.
        {{255, 255, 254}, 0, 17, 0, 0},
    };
    for (const auto& c : cases) {
        const ColorPosition pos = positionOf(c.rgb);
        SCOPED_TRACE(::testing::PrintToString(c.rgb));
        EXPECT_EQ(pos.sector, c.sector);
        EXPECT_EQ(nearest(pos.hue), c.hue);
        EXPECT_EQ(nearest(pos.grey), c.grey);
        EXPECT_EQ(pos.level, c.level);
    }
}

TEST(ColorMathTest, theRisingSectorsMeasureTheFallingChannelAgainst255) {
    // Yellow-green: (255 - red) / 255, not (max - red) / (max - min) = 2/3.
    EXPECT_NEAR(positionOf({100, 200, 50}).fraction, 155.0 / 255, 1e-12);
    EXPECT_NEAR(positionOf({100, 200, 50}).hue, 26.7974, 1e-4);
    // The sector's first third uses the colour's own span.
    EXPECT_NEAR(positionOf({255, 128, 0}).fraction, 128.0 / 255, 1e-12);
}

TEST(ColorMathTest, theBaseColourFollowsTheThirdsOfTheHue) {
    const struct {
        double hue;
        double grey;
        Rgb base;
    } cases[] = {
        {0, 0, {255, 0, 0}},
        {16.6667, 0, {255, 255, 0}}, // t = 50 still rises
        {16.8, 0, {255, 255, 0}},
        {17, 0, {250, 255, 0}}, // t = 51 falls
        {33.3333, 0, {0, 255, 0}},
        {33.3334, 0, {0, 255, 0}}, // the second third begins
        {50, 0, {0, 255, 255}},
        {66.6666, 0, {0, 0, 255}},
        {66.6667, 0, {0, 0, 255}}, // the last third begins
        {83.3, 0, {255, 0, 255}},
        {100, 0, {255, 0, 0}}, // red again at the right edge
        {25, 50, {128, 191, 64}},
        {0, 100, {127, 127, 127}},
        // Out of range: held at the edges.
        {-5, 120, {127, 127, 127}},
        {150, -1, {255, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HueToBaseColor(c.hue, c.grey), c.base) << c.hue << ", " << c.grey;
}

TEST(ColorMathTest, shadingRunsFromWhiteThroughTheChannelToBlack) {
    const int channels[] = {0, 100, 127, 255};
    const struct {
        int level;
        int shaded[4];
    } cases[] = {
        {0, {255, 255, 255, 255}}, {25, {128, 178, 191, 255}}, {49, {5, 103, 130, 255}},
        {50, {0, 100, 127, 255}},  {51, {0, 98, 124, 250}},    {75, {0, 50, 64, 128}},
        {100, {0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ShadeChannel(channels[i], c.level), c.shaded[i])
                << "level " << c.level << ", channel " << channels[i];
    EXPECT_EQ(shade({255, 0, 0}, 75), (Rgb{128, 0, 0}));
}

TEST(ColorMathTest, theBarIs51BandsOfAboutTwoPercent) {
    const std::vector<Band> bands = brightnessBands(186, 12);
    ASSERT_EQ(bands.size(), 51u);
    const struct {
        size_t index;
        int level;
        int top;
    } cases[] = {{0, 0, 0}, {1, 2, 4}, {25, 50, 93}, {26, 52, 97}, {50, 100, 186}};
    for (const auto& c : cases) {
        EXPECT_EQ(bands[c.index].level, c.level);
        EXPECT_EQ(bands[c.index].box, QRect(0, c.top, 12, 4)) << c.index;
    }
    // The bands leave no row of the bar uncovered.
    for (size_t i = 1; i < bands.size(); ++i)
        EXPECT_LE(bands[i].box.top(), bands[i - 1].box.bottom() + 1) << i;
}

TEST(ColorMathTest, levelsFromTheBarAndFromTheArrowStrip) {
    EXPECT_EQ(levelFromBar(0, 186), 0);
    EXPECT_EQ(levelFromBar(93, 186), 50);
    EXPECT_EQ(levelFromBar(46.5, 186), 25);
    EXPECT_EQ(levelFromBar(186, 186), 100);
    EXPECT_EQ(levelFromBar(10, 0), 0);
    // The strip begins 150 twips above the bar (bar inside 2790 twips).
    EXPECT_EQ(levelFromArrowStrip(150, 150, 2790), 0);
    EXPECT_EQ(levelFromArrowStrip(1545, 150, 2790), 50);
    EXPECT_EQ(levelFromArrowStrip(0, 150, 2790), -5);
    EXPECT_EQ(clampLevel(levelFromArrowStrip(0, 150, 2790)), 0);
    EXPECT_EQ(clampLevel(levelFromArrowStrip(3150, 150, 2790)), 100);
}

TEST(ColorMathTest, theArrowPointsAtTheLevel) {
    // Bar 2850 twips high, strip 150 wide, 15 twips a pixel.
    const struct {
        int level;
        std::array<QPoint, 3> corners;
    } cases[] = {
        {50, {QPoint(0, 105), QPoint(8, 101), QPoint(8, 109)}},
        {0, {QPoint(0, 10), QPoint(8, 6), QPoint(8, 14)}},
        {100, {QPoint(0, 200), QPoint(8, 196), QPoint(8, 204)}},
        {-7, {QPoint(0, 10), QPoint(8, 6), QPoint(8, 14)}},
        {130, {QPoint(0, 200), QPoint(8, 196), QPoint(8, 204)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(arrowTriangle(c.level, 2850, 150, 15, 15), c.corners) << c.level;
}

TEST(ColorMathTest, theMarkerIsACrossHairAroundItsPoint) {
    EXPECT_EQ(markerPoint(0, 100, 174, 186), QPoint(0, 186));
    EXPECT_EQ(markerPoint(50, 0, 174, 186), QPoint(87, 0));
    EXPECT_EQ(markerPoint(27, 40, 174, 186), QPoint(47, 74));
    EXPECT_EQ(markerPoint(120, -3, 174, 186), QPoint(174, 0));

    const std::array<QRect, 4> arms = markerArms(QPoint(40, 50));
    QSet<std::pair<int, int>> covered;
    for (const QRect& arm : arms)
        for (int x = arm.left(); x <= arm.right(); ++x)
            for (int y = arm.top(); y <= arm.bottom(); ++y)
                covered.insert({x, y});
    EXPECT_EQ(covered.size(), 4 * 8 * 3);
    const struct {
        int x;
        int y;
        bool black;
    } pixels[] = {
        {30, 50, true},  {37, 49, true},  {38, 50, false}, {40, 40, true},  {41, 47, true},
        {40, 48, false}, {43, 51, true},  {50, 50, true},  {51, 50, false}, {40, 53, true},
        {40, 60, true},  {40, 61, false}, {40, 50, false}, {42, 52, false}, {29, 50, false},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(covered.contains({p.x, p.y}), p.black) << p.x << ", " << p.y;
}

TEST(ColorMathTest, theFieldIsMadeOnceHueAcrossGreyDown) {
    const QImage& field = colorField(174, 186, false);
    EXPECT_EQ(field.size(), QSize(174, 186));
    EXPECT_EQ(field.format(), QImage::Format_RGB32);
    EXPECT_EQ(&colorField(174, 186, false), &field);
    EXPECT_EQ(field.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(field.pixel(87, 0), qRgb(0, 255, 255));
    // Each pixel is the base colour of the position a click there gives.
    const Rgb at = HueToBaseColor(120.0 / 174 * 100, 90.0 / 186 * 100);
    EXPECT_EQ(field.pixel(120, 90), qRgb(at.red, at.green, at.blue));
    // The last row is nearly grey.
    const QColor bottom = field.pixelColor(0, 185);
    EXPECT_LE(bottom.red() - bottom.green(), 2);

    const QImage& reduced = colorField(174, 186, true);
    EXPECT_EQ(reduced.format(), QImage::Format_Indexed8);
    EXPECT_LE(reduced.colorCount(), 256);
    EXPECT_EQ(reduced.size(), QSize(174, 186));
}
