#include "gui/MainForm.h"
#include "gui/forms/frmEndProg.h"
#include "gui/forms/frmSplash.h"
#include "tests/common/TestEnvironment.h"

#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

// Whether a picture shows anything: some pixel that is not fully
// transparent. An icon whose files are missing gives a null or empty one.
bool showsSomething(const QPixmap& pixmap) {
    if (pixmap.isNull())
        return false;
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

} // namespace

TEST(ProgramResources, TheIconHasAPictureInEachTraySize) {
    const QIcon icon = programIcon();
    for (int size : {16, 22, 32}) {
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        EXPECT_TRUE(showsSomething(pixmap)) << size;
        EXPECT_EQ(pixmap.size(), QSize(size, size)) << size;
    }
}

TEST(ProgramResources, TheSplashAndTheExitWindowShowTheirPictures) {
    TestEnvironment env;
    frmSplash splash;
    EXPECT_TRUE(showsSomething(splash.Image1->pixmap()));
    EXPECT_TRUE(showsSomething(splash.imgLogo->pixmap()));
    frmEndProg exitWindow;
    EXPECT_TRUE(showsSomething(exitWindow.Image1->pixmap()));
}
