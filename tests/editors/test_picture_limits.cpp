// One idea of a usable picture for the preview, the wallpaper, the crop
// dialog and rotation, judged from the header before anything is decoded.

#include "editors/CropPicture.h"
#include "engine/WallpaperImage.h"
#include "engine/WallpaperRender.h"
#include "platform/ImageBox.h"
#include "tests/common/PictureKit.h"
#include "tests/common/TestEnvironment.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

// A small JPEG whose header claims 65,500 x 65,500 pixels.
QString claimingJpeg(const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    solidImage(QSize(16, 16), QColor(200, 40, 40)).save(&buffer, "JPEG");
    QByteArray bytes = buffer.data();
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        return {};
    qToBigEndian<quint16>(65500, bytes.data() + sof + 5); // height
    qToBigEndian<quint16>(65500, bytes.data() + sof + 7); // width
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void putChunk(QFile& file, const char* type, const QByteArray& data) {
    char length[4];
    qToBigEndian<quint32>(quint32(data.size()), length);
    file.write(length, 4);
    const QByteArray body = QByteArray(type, 4) + data;
    file.write(body);
    char crc[4];
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
        crc);
    file.write(crc, 4);
}

// A solid PNG of 16 bits a channel, written row by row so that the test
// never holds the picture itself.
bool writeSixteenBitPng(const QString& path, int width, int height) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("\x89PNG\r\n\x1a\n", 8);
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(width), header.data());
    qToBigEndian<quint32>(quint32(height), header.data() + 4);
    header[8] = 16; // bits a channel
    header[9] = 2;  // RGB
    putChunk(file, "IHDR", header);

    z_stream z = {};
    if (deflateInit(&z, 1) != Z_OK)
        return false;
    QByteArray first(1 + qsizetype(width) * 6, '\0');
    for (int x = 0; x < width; ++x)
        first[1 + x * 6] = char(0x30); // red's high byte; the rest 0
    QByteArray later(1 + qsizetype(width) * 6, '\0');
    later[0] = 2; // each row the same as the one above
    QByteArray out(1 << 20, Qt::Uninitialized);
    QByteArray data;
    for (int y = 0; y <= height; ++y) {
        const QByteArray& row = y == 0 ? first : later;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.constData()));
        z.avail_in = y < height ? uInt(row.size()) : 0;
        const int flush = y < height ? Z_NO_FLUSH : Z_FINISH;
        do {
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(out.size());
            deflate(&z, flush);
            data.append(out.constData(), out.size() - qsizetype(z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    putChunk(file, "IDAT", data);
    putChunk(file, "IEND", {});
    return file.flush();
}

TEST(PictureLimits, TheRuleCountsSidesAndPixels) {
    const struct {
        QSize size;
        bool usable;
    } cases[] = {
        {{16000, 12000}, true}, {{32767, 6000}, true},   {{32768, 10}, false},
        {{10, 32768}, false},   {{14000, 14286}, false}, {{65500, 65500}, false},
        {{0, 10}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isUsablePictureSize(c.size), c.usable)
            << c.size.width() << "x" << c.size.height();
}

TEST(PictureLimits, APictureOverTheLimitsIsRefusedEverywhereFromItsHeaderAlone) {
    TestEnvironment env;
    const QString path = claimingJpeg(env.path(QStringLiteral("huge.jpg")));
    ASSERT_FALSE(path.isEmpty());
    QElapsedTimer timer;
    timer.start();
    ImageBox box;
    EXPECT_EQ(box.load(path), imgerr::TooLarge);
    EXPECT_EQ(box.load(path, ImageRequest{0, QRect(), QSize(400, 300)}), imgerr::TooLarge);
    for (int32_t rotation : {0, 90})
        EXPECT_EQ(loadCropPicture(path, rotation, QSize(480, 360)).code, imgerr::TooLarge);
    frmLeadControl host;
    int16_t position = 4;
    int32_t rotation = 90;
    EXPECT_EQ(BuildWallpaperImage(host, path, position, -1, 0, 0, 0, rotation), imgerr::TooLarge);
    // Nothing was decoded.
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(GetImageErrorText(imgerr::TooLarge),
              QStringLiteral("Picture Too Large (at most 32767 pixels a side and 200 million "
                             "pixels in all)"));
}

TEST(PictureLimits, ALargePhotoOfSixteenBitsAChannelCanBeCroppedAndTurned) {
    // 16,000 x 12,000 at 8 bytes a pixel is 1.5 GB decoded: within the
    // limits, so the decoder must take it.
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("large.png"));
    ASSERT_TRUE(writeSixteenBitPng(path, 16000, 12000));
    const CropPictureFile file = loadCropPicture(path, 90, QSize(480, 360));
    ASSERT_EQ(file.code, 0);
    EXPECT_EQ(file.fit.picture, QSize(12000, 16000));
    EXPECT_EQ(file.shown.size(), file.fit.displayed);
    EXPECT_EQ(qRed(file.shown.pixel(10, 10)), 0x30);
}

} // namespace
