// The tray's crop command with the real dialog, from the menu item to the
// bitmap on the desktop.

#include "editors/CropPicture.h"
#include "editors/frmCrop.h"
#include "platform/ImageBox.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/editors/crop_test_helpers.h"
#include "tests/gui/test_life_helpers.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

using CropCommandTest = LifeTest;

// Every pixel tells where it is: red and green the low bits of x and y,
// blue their high bits.
QImage positions(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4) | (y >> 8)));
    return image;
}

TEST_F(CropCommandTest, TheTrayCropsTheActiveEntryAndShowsIt) {
    // A 300 x 400 picture turned a quarter: 400 x 300 as shown.
    const QString path = env.path(QStringLiteral("pics/tall.png"));
    QDir().mkpath(env.path(QStringLiteral("pics")));
    ASSERT_TRUE(positions(300, 400).save(path, "PNG"));
    ActiveMagicList.SetSchUpdateOption(3);
    ActiveMagicList.AddItem(path, int32_t(0x102030), int16_t(2));
    ActiveMagicList.RotateEntry(0);
    ActiveMagicList.SetActiveEntry(0);
    ActiveMagicList.Save();
    loadForm();
    windows.crop = [](const CropRequest& request) { return showCropDialog(request); };

    ModalAnswerer answers;
    answers.next<frmCrop>([](frmCrop* d) {
        // The fixed 100 x 100, shown at 1.2 in the middle of 480 x 360.
        chooseCropType(*d, QStringLiteral("Fixed Size"));
        ASSERT_EQ(d->lpicCrop->selection(), sel(180, 120, 120, 120));
        QTest::mousePress(d->lpicCrop, Qt::LeftButton, {}, QPoint(240, 180));
        QTest::mouseMove(d->lpicCrop, QPoint(264, 204));
        QTest::mouseRelease(d->lpicCrop, Qt::LeftButton, {}, QPoint(264, 204));
        clickButton(d->cmdOK);
    });
    MainForm->mnuCrop_Click();
    EXPECT_EQ(answers.opened, QStringList{QStringLiteral("frmCrop")});

    // (204, 144) / 1.2 in the turned picture's pixels, kept in the list file.
    const clsMagicList saved = savedList();
    EXPECT_EQ(QRect(saved.GetEntryLeft(0), saved.GetEntryTop(0), saved.GetEntryWidth(0),
                    saved.GetEntryHeight(0)),
              QRect(170, 120, 100, 100));
    ASSERT_EQ(desktop.applied.size(), 1);

    // The wallpaper is exactly that part of the turned picture.
    const QImage bitmap(wallpaperBitmapPath());
    ASSERT_EQ(bitmap.size(), QSize(100, 100));
    const QImage expected =
        ImageBox::rotated(positions(300, 400), 90).copy(QRect(170, 120, 100, 100));
    EXPECT_EQ(bitmap.convertToFormat(QImage::Format_RGB32), expected);
}

TEST_F(CropCommandTest, ClosingTheDialogChangesNothing) {
    makeList(1);
    loadForm();
    windows.crop = [](const CropRequest& request) { return showCropDialog(request); };
    ModalAnswerer answers;
    answers.next<frmCrop>([](frmCrop* d) { d->close(); });
    MainForm->mnuCrop_Click();
    EXPECT_EQ(savedList().GetEntryLeft(0), -1);
    EXPECT_TRUE(desktop.applied.isEmpty());
}

} // namespace
