// Turning a cropped entry whose photo carries a camera orientation: the crop
// turns with the picture as it is shown, so it stays on the same pixels.

#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperRender.h"
#include "tests/common/PictureKit.h"
#include "tests/common/TestEnvironment.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTransform>
#include <gtest/gtest.h>

namespace {

// A JPEG as a phone writes it: the pixels as the sensor saw them and an
// Exif orientation tag saying how to turn them (6: a quarter turn
// clockwise).
void writePhoneJpeg(const QString& path, const QImage& sensor, uint16_t orientation) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(sensor.save(&buffer, "JPEG", 95));
    const char tiff[] = {'M',  'M',  0, 42, 0, 0, 0, 8,                             // header
                         0,    1,                                                   // one entry
                         0x01, 0x12, 0, 3,  0, 0, 0, 1, 0, char(orientation), 0, 0, // orientation
                         0,    0,    0, 0};                                         // no next IFD
    QByteArray app1 = QByteArray("Exif\0\0", 6) + QByteArray(tiff, sizeof tiff);
    const int length = int(app1.size()) + 2;
    app1.prepend(char(length & 0xff));
    app1.prepend(char(length >> 8));
    app1.prepend("\xff\xe1", 2);
    jpeg.insert(2, app1); // right after the start-of-image marker
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(jpeg);
}

QImage render(clsMagicList& list) {
    frmLeadControl host;
    int16_t position = list.GetEntryPosition(0);
    int32_t rotation = list.GetEntryRotate(0);
    EXPECT_EQ(BuildWallpaperImage(host, list.GetEntryPath(0), position, list.GetEntryLeft(0),
                                  list.GetEntryTop(0), list.GetEntryWidth(0),
                                  list.GetEntryHeight(0), rotation),
              0);
    return host.LEAD1.takeImage();
}

TEST(RotateEntry, ACropOnACameraTurnedPhotoStaysOnItsPixels) {
    TestEnvironment env;
    Options.Border = 0;
    Options.DisplayMMessage = false;
    // Stored 300 x 200 with orientation 6: shown 200 x 300.
    const QString path = env.path(QStringLiteral("phone.jpg"));
    writePhoneJpeg(path, quadrants(300, 200), 6);
    ASSERT_EQ(QImageReader(path).size(), QSize(300, 200));
    ASSERT_EQ(QImageReader(path).transformation(), QImageIOHandler::TransformationRotate90);

    clsMagicList list;
    list.AddItem(path, int32_t(0), int16_t(2));
    // Most of the left part of the picture as shown: taller than the file.
    list.SetEntryProperties(0, 10, 20, 130, 250);
    const QImage before = render(list);
    ASSERT_EQ(before.size(), QSize(130, 250));

    for (int turn = 1; turn <= 4; ++turn) {
        list.RotateEntry(0);
        const QImage after = render(list);
        const QImage expected = before.transformed(QTransform().rotate(90.0 * turn));
        ASSERT_EQ(after.size(), expected.size()) << turn << " quarter turns";
        EXPECT_LT(meanDifference(after, expected), 6.0) << turn << " quarter turns";
    }
    EXPECT_EQ(list.GetEntryRotate(0), 0);
    EXPECT_EQ(list.GetEntryLeft(0), 10);
    EXPECT_EQ(list.GetEntryTop(0), 20);
}

} // namespace
