#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperPlacement.h"
#include "engine/WallpaperRender.h"
#include "tests/common/PictureKit.h"
#include "tests/common/TestEnvironment.h"

#include <QImageWriter>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A picture whose every pixel tells where it came from: red is x and green
// is y (modulo 256), blue marks the quadrant.
QImage coordinates(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y,
                qRgb(x & 0xff, y & 0xff, (x < width / 2 ? 0 : 100) + (y < height / 2 ? 0 : 50)));
    return image;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Options.DisplayMMessage = false;
        Options.Border = 0;
    }
    QString png(const QString& name, const QImage& image) {
        return saveImage(image, env.path(name), "PNG");
    }
    int32_t render(const QString& path, int16_t& position, int32_t rotation = 0,
                   QRect crop = QRect(-1, 0, 0, 0)) {
        return BuildWallpaperImage(host, path, position, crop.x(), crop.y(), crop.width(),
                                   crop.height(), rotation);
    }
    TestEnvironment env;
    frmLeadControl host;
};

TEST_F(RenderTest, MissingAndUnreadableFilesKeepTheLoadedSize) {
    int16_t position = 2;
    ASSERT_EQ(render(png("a.png", coordinates(40, 30)), position), 0);
    EXPECT_EQ(render(env.path("absent.png"), position), 20010);
    EXPECT_EQ(render(env.writeFile("text.jpg", "not a picture"), position), 20009);
    EXPECT_EQ(LoadedImageWidth, 40);
    EXPECT_EQ(LoadedImageHeight, 30);
}

TEST_F(RenderTest, TurnsBeforeCroppingAndNotesTheLoadedSize) {
    int16_t position = placement::Centre;
    ASSERT_EQ(render(png("p.png", coordinates(400, 300)), position, 90, QRect(0, 0, 300, 200)), 0);
    EXPECT_EQ(host.LEAD1.image().size(), QSize(300, 200));
    EXPECT_EQ(LoadedImageWidth, 400);
    EXPECT_EQ(LoadedImageHeight, 300);
    // Turned clockwise, the picture's bottom-left corner is now top-left.
    EXPECT_EQ(host.LEAD1.pixel(0, 0), qRgb(0, 299 & 0xff, 50));
}

TEST_F(RenderTest, AutomaticPlacementIsWrittenBack) {
    int16_t position = placement::Automatic;
    ASSERT_EQ(render(png("fits.png", coordinates(1024, 768)), position), 0);
    EXPECT_EQ(position, placement::Centre);
    position = placement::Automatic;
    ASSERT_EQ(render(png("wide.png", coordinates(1025, 768)), position), 0);
    EXPECT_EQ(position, placement::BestFit);
    EXPECT_EQ(host.LEAD1.image().size(), QSize(1024, 767));
}

// A monitor other than the primary screen: the rendering is made for its
// size, whatever the screen service says.
TEST_F(RenderTest, AMonitorOfItsOwnSizeGetsItsOwnRendering) {
    struct Case {
        const char* what;
        int16_t position;
        int32_t border;
        QSize picture;
        int16_t placed;
        QSize expected;
    } const cases[] = {
        {"best fit", placement::BestFit, 0, {200, 100}, placement::BestFit, {800, 400}},
        {"automatic, too large for it",
         placement::Automatic,
         0,
         {1000, 700},
         placement::BestFit,
         {800, 560}},
        {"automatic, fits it", placement::Automatic, 0, {700, 500}, placement::Centre, {700, 500}},
        {"stretched in a border",
         placement::Stretch,
         20,
         {200, 100},
         placement::Stretch,
         {760, 560}},
        {"centred in a border, cut",
         placement::Centre,
         50,
         {1000, 200},
         placement::Centre,
         {700, 200}},
        {"stretched, no border: left to the desktop",
         placement::Stretch,
         0,
         {200, 100},
         placement::Stretch,
         {200, 100}},
    };
    for (const Case& c : cases) {
        Options.Border = c.border;
        frmLeadControl monitor;
        monitor.monitor = QSize(800, 600);
        int16_t position = c.position;
        int32_t rotation = 0;
        const QString path =
            png(QStringLiteral("m.png"), coordinates(c.picture.width(), c.picture.height()));
        ASSERT_EQ(BuildWallpaperImage(monitor, path, position, -1, 0, 0, 0, rotation), 0) << c.what;
        EXPECT_EQ(position, c.placed) << c.what;
        EXPECT_EQ(monitor.LEAD1.image().size(), c.expected) << c.what;
    }
}

TEST_F(RenderTest, TileWithABorderRepeatsFromTheTopLeft) {
    Options.Border = 100; // area 824 x 568
    int16_t position = placement::Tile;
    ASSERT_EQ(render(png("t.png", coordinates(300, 200)), position), 0);
    ASSERT_EQ(host.LEAD1.image().size(), QSize(824, 568));
    EXPECT_EQ(host.LEAD1.pixel(300, 0), host.LEAD1.pixel(0, 0));
    EXPECT_EQ(host.LEAD1.pixel(823, 567), qRgb(223, 167, 150));

    ASSERT_EQ(render(png("big.png", coordinates(900, 600)), position), 0);
    ASSERT_EQ(host.LEAD1.image().size(), QSize(824, 568));
    EXPECT_EQ(host.LEAD1.pixel(0, 0), qRgb(0, 0, 0)); // the top-left, not the middle
}

TEST_F(RenderTest, LogoSitsInTheBottomRightAndLeavesItsBluePixelsOut) {
    Options.DisplayMMessage = true;
    int16_t position = placement::Centre;
    QImage plain(1024, 768, QImage::Format_RGB32);
    plain.fill(qRgb(0, 200, 0));
    ASSERT_EQ(render(png("green.png", plain), position), 0);
    const QImage& logo = host.picLogo;
    ASSERT_EQ(logo.size(), QSize(198, 30));
    int drawn = 0, clear = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 198; ++x) {
            const QRgb out = host.LEAD1.pixel(826 + x, 738 + y);
            if ((logo.pixel(x, y) | 0xff000000u) == qRgb(0, 0, 255)) {
                EXPECT_EQ(out, qRgb(0, 200, 0));
                ++clear;
            } else {
                EXPECT_EQ(out, logo.pixel(x, y) | 0xff000000u);
                ++drawn;
            }
        }
    EXPECT_GT(drawn, 100);
    EXPECT_GT(clear, 100);
    EXPECT_EQ(host.LEAD1.pixel(825, 767), qRgb(0, 200, 0));
}

TEST_F(RenderTest, LogoNeedsAPictureLargerThanItselfBothWays) {
    Options.DisplayMMessage = true;
    struct Case {
        QSize size;
        bool drawn;
    } const cases[] = {{{199, 31}, true}, {{198, 40}, false}, {{300, 30}, false}};
    for (const Case& c : cases) {
        QImage plain(c.size, QImage::Format_RGB32);
        plain.fill(qRgb(0, 0, 255)); // the logo's own key colour: only drawn pixels differ
        int16_t position = placement::Centre;
        ASSERT_EQ(render(png("small.png", plain), position), 0);
        EXPECT_EQ(host.LEAD1.image() != plain, c.drawn) << c.size.width() << "x" << c.size.height();
    }
}

// The planned, reduced decode must end exactly where doing every step on
// the full picture ends: same placement, same size, the same picture.
TEST_F(RenderTest, PlannedRenderingMatchesStepByStep) {
    QImage photo(3000, 2000, QImage::Format_RGB32);
    QPainter painter(&photo);
    painter.drawImage(photo.rect(), coordinates(300, 200));
    painter.end();
    const QString jpeg = env.path("photo.jpg");
    ASSERT_TRUE(QImageWriter(jpeg, "jpeg").write(photo));

    struct Case {
        int16_t position;
        int border;
        int32_t rotation;
        QRect crop;
    } const cases[] = {
        {placement::Automatic, 0, 0, QRect(-1, 0, 0, 0)},
        {placement::BestFit, 10, 90, QRect(-1, 0, 0, 0)},
        {placement::BestFit, 0, 270, QRect(100, 300, 1500, 900)},
        {placement::Centre, 50, 180, QRect(-1, 0, 0, 0)},
        {placement::Stretch, 20, 0, QRect(2500, 1500, 900, 900)}, // clipped crop
        {placement::Tile, 30, 90, QRect(0, 0, 400, 300)},
        {placement::Tile, 30, 0, QRect(-1, 0, 0, 0)},
        {placement::Automatic, 0, 45, QRect(4000, 0, 10, 10)}, // crop ignored, no turn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position * 1000 + c.border);
        Options.Border = int16_t(c.border);
        int16_t position = c.position;
        int32_t rotation = c.rotation;
        ASSERT_EQ(BuildWallpaperImage(host, jpeg, position, c.crop.x(), c.crop.y(), c.crop.width(),
                                      c.crop.height(), rotation),
                  0);

        frmLeadControl steps;
        ASSERT_EQ(steps.LEAD1.load(jpeg), 0);
        steps.LEAD1.rotate(quarterTurnOrZero(c.rotation));
        if (c.crop.x() != -1)
            steps.LEAD1.crop(c.crop);
        int16_t stepPosition = c.position;
        if (stepPosition == placement::Automatic)
            stepPosition = ChooseAutoPosition(steps);
        if (stepPosition == placement::BestFit)
            PlaceImageBestFit(steps);
        else if (c.border != 0 && stepPosition == placement::Stretch)
            PlaceImageStretched(steps);
        else if (c.border != 0 && stepPosition == placement::Centre)
            PlaceImageCentered(steps);
        else if (c.border != 0 && stepPosition == placement::Tile)
            PlaceImageTiled(steps);

        EXPECT_EQ(position, stepPosition);
        ASSERT_EQ(host.LEAD1.image().size(), steps.LEAD1.image().size());
        const QImage a =
            host.LEAD1.image().scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage b =
            steps.LEAD1.image().scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int worst = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                worst = std::max({worst, std::abs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y))),
                                  std::abs(qBlue(a.pixel(x, y)) - qBlue(b.pixel(x, y)))});
        EXPECT_LT(worst, 24);
    }
}

} // namespace
