#include "platform/ImageBox.h"
#include "tests/common/PictureKit.h"

#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ImageBoxTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.path() + u'/' + name; }
    QString writeJpeg(const QString& name, const QImage& image,
                      QImageIOHandler::Transformations orientation = {}) const {
        QImageWriter writer(file(name), "jpeg");
        writer.setQuality(95);
        writer.setTransformation(orientation);
        EXPECT_TRUE(writer.write(image));
        return file(name);
    }
    QTemporaryDir dir;
};

TEST_F(ImageBoxTest, MissingAndUnreadableFilesGiveTheirCodesAndKeepThePicture) {
    ImageBox box;
    box.create(5, 4);
    EXPECT_EQ(box.load(file("absent.jpg")), imgerr::FileNotFound);
    QFile text(file("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not a picture");
    text.close();
    EXPECT_EQ(box.load(file("notes.jpg")), imgerr::InvalidFormat);
    EXPECT_EQ(box.load(dir.path()), imgerr::InvalidFormat);
    EXPECT_EQ(box.width(), 5);
    EXPECT_EQ(box.height(), 4);
}

TEST_F(ImageBoxTest, FormatComesFromTheContentNotTheName) {
    ASSERT_TRUE(quadrants(30, 20).save(file("really-a-png.jpg"), "PNG"));
    ImageBox box;
    ASSERT_EQ(box.load(file("really-a-png.jpg")), 0);
    EXPECT_EQ(box.width(), 30);
    EXPECT_EQ(box.bitsPerPixel(), 24);
}

TEST_F(ImageBoxTest, TransparencyIsFlattenedOntoBlack) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 0));
    image.setPixel(1, 0, qRgba(200, 100, 50, 255));
    ASSERT_TRUE(image.save(file("alpha.png")));
    ImageBox box;
    ASSERT_EQ(box.load(file("alpha.png")), 0);
    EXPECT_FALSE(box.image().hasAlphaChannel());
    EXPECT_EQ(box.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(box.pixel(1, 0), qRgb(200, 100, 50));
}

TEST_F(ImageBoxTest, CameraOrientationIsApplied) {
    const QString path =
        writeJpeg("turned.jpg", quadrants(80, 40), QImageIOHandler::TransformationRotate90);
    EXPECT_EQ(ImageBox::orientedSize(path), QSize(40, 80));
    ImageBox box;
    ASSERT_EQ(box.load(path), 0);
    ASSERT_EQ(box.image().size(), QSize(40, 80));
    // Turned clockwise: the file's bottom-left (blue) is now the top-left.
    EXPECT_GT(qBlue(box.pixel(5, 5)), 200);
    EXPECT_LT(qRed(box.pixel(5, 5)), 50);
}

// The reduced decode must give what a full decode followed by turn, cut and
// scale gives, for plain and camera-turned files alike.
TEST_F(ImageBoxTest, ReducedDecodeMatchesFullDecode) {
    struct Case {
        QImageIOHandler::Transformations orientation;
        ImageRequest request;
    };
    const Case cases[] = {
        {{}, {0, QRect(), QSize(150, 100)}},
        {{}, {0, QRect(100, 50, 400, 300), QSize(200, 150)}},
        {{}, {90, QRect(10, 20, 300, 500), QSize(90, 150)}},
        {{}, {270, QRect(0, 0, 400, 600), QSize()}},
        {QImageIOHandler::TransformationRotate90, {0, QRect(50, 100, 300, 400), QSize(75, 100)}},
        {QImageIOHandler::TransformationMirror, {180, QRect(0, 0, 300, 200), QSize(100, 66)}},
        {QImageIOHandler::TransformationRotate270, {90, QRect(200, 10, 300, 300), QSize(33, 33)}},
        {{}, {0, QRect(0, 0, 60, 40), QSize(120, 80)}}, // enlarged afterwards
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        const QString path =
            writeJpeg(QStringLiteral("photo%1.jpg").arg(n++), quadrants(600, 400), c.orientation);
        ImageBox reference;
        ASSERT_EQ(reference.load(path), 0);
        reference.rotate(c.request.rotation);
        if (!c.request.region.isEmpty())
            reference.crop(c.request.region);
        if (c.request.size.isValid())
            reference.resize(c.request.size.width(), c.request.size.height());

        ImageBox reduced;
        ASSERT_EQ(reduced.load(path, c.request), 0);
        ASSERT_EQ(reduced.image().size(), reference.image().size());
        EXPECT_LT(meanDifference(reduced.image(), reference.image()), 6.0);
    }
}

TEST_F(ImageBoxTest, SavesA24BitBitmapThatReadsBack) {
    ImageBox box;
    box.setImage(quadrants(7, 3)); // 21 bytes a row: padded to 24
    ASSERT_EQ(box.save(file("out.bmp")), 0);
    QFile f(file("out.bmp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size(), 54 + 24 * 3);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(quint8(bytes[28]), 24);
    QImage back(file("out.bmp"));
    ASSERT_EQ(back.size(), QSize(7, 3));
    EXPECT_EQ(meanDifference(back, box.image()), 0.0);
}

TEST_F(ImageBoxTest, SaveIntoAMissingFolderFails) {
    ImageBox box;
    box.create(2, 2);
    EXPECT_NE(box.save(file("no/such/folder/out.bmp")), 0);
    EXPECT_NE(ImageBox().save(file("empty.bmp")), 0);
    EXPECT_FALSE(QFile::exists(file("empty.bmp")));
}

TEST(ImageBoxEdit, QuarterTurnsAreClockwiseAndOtherAnglesDoNothing) {
    ImageBox box;
    box.create(3, 2);
    box.setPixel(0, 0, qRgb(255, 0, 0));
    box.rotate(90);
    ASSERT_EQ(box.image().size(), QSize(2, 3));
    EXPECT_EQ(box.pixel(1, 0), qRgb(255, 0, 0));
    box.rotate(45);
    EXPECT_EQ(box.image().size(), QSize(2, 3));
}

TEST(ImageBoxEdit, CropKeepsOnlyWhatLiesOnThePicture) {
    ImageBox box;
    box.create(10, 10);
    box.crop(QRect(20, 20, 5, 5));
    EXPECT_EQ(box.image().size(), QSize(10, 10));
    box.crop(QRect(6, -3, 10, 5));
    EXPECT_EQ(box.image().size(), QSize(4, 2));
}

TEST(ImageBoxEdit, CombineCutsAtTheEdgesAndPixelsOutsideAreIgnored) {
    ImageBox canvas;
    canvas.create(5, 5);
    QImage tile(3, 3, QImage::Format_RGB32);
    tile.fill(qRgb(10, 20, 30));
    canvas.combine(3, 3, 3, 3, tile, 0, 0);
    EXPECT_EQ(canvas.pixel(4, 4), qRgb(10, 20, 30));
    EXPECT_EQ(canvas.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(5, 5), 0u);
    canvas.setPixel(-1, 0, qRgb(1, 1, 1));
    EXPECT_EQ(canvas.takeImage().size(), QSize(5, 5));
    EXPECT_TRUE(canvas.isNull());
}

TEST(ImageBoxTurns, OnlyQuarterTurnsCount) {
    for (int degrees : {0, 90, 180, 270})
        EXPECT_EQ(quarterTurnOrZero(degrees), degrees);
    for (int degrees : {45, -90, 360, 32767})
        EXPECT_EQ(quarterTurnOrZero(degrees), 0);
}

TEST(ImageBoxTurns, AQuarterTurnSwapsTheSides) {
    const struct {
        int32_t degrees;
        QSize turned;
    } cases[] = {{0, {400, 300}},   {90, {300, 400}},  {180, {400, 300}},
                 {270, {300, 400}}, {-90, {400, 300}}, {450, {400, 300}}};
    for (const auto& c : cases)
        EXPECT_EQ(turnedSize({400, 300}, c.degrees), c.turned) << c.degrees;
}

} // namespace
