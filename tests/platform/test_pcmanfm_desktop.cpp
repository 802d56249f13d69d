#include "platform/ComposedWallpaper.h"
#include "platform/PcmanfmDesktop.h"
#include "tests/platform/RecordingRunner.h"
#include "tests/platform/WallpaperFixture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class PcmanfmDesktopTest : public WallpaperFixture {
protected:
    static QSize screen() { return {24, 16}; }
    static QList<Monitor> layout() { return singleMonitor(screen()); }
    QString numbered(int n) const { return dir.path() + QStringLiteral("/.ZOZ-%1.bmp").arg(n); }
    // The picture the last command handed over.
    QString pictureOfLastCommand() const {
        const QString argument = runner.commands.last().value(1);
        const QString prefix = QStringLiteral("--set-wallpaper=");
        return argument.startsWith(prefix) ? argument.mid(prefix.size()) : QString();
    }

    RecordingRunner runner;
};

class PcmanfmVariantTest : public PcmanfmDesktopTest,
                           public ::testing::WithParamInterface<PcmanfmDesktop::Variant> {};

TEST_P(PcmanfmVariantTest, TheFileManagerShowsTheComposedScreenStretched) {
    const PcmanfmDesktop::Variant variant = GetParam();
    PcmanfmDesktop desktop(variant, runner, layout);
    const QString program = PcmanfmDesktop::programOf(variant);
    const std::string what = program.toStdString();

    ASSERT_EQ(desktop.apply(shown(true)), QString()) << what;
    ASSERT_EQ(runner.commands.size(), 1) << what;
    EXPECT_EQ(runner.commands.last(),
              (QStringList{program, QStringLiteral("--set-wallpaper=") + numbered(1),
                           QStringLiteral("--wallpaper-mode=stretch")}))
        << what;
    const QImage tiled(numbered(1));
    ASSERT_EQ(tiled.size(), screen()) << what;
    EXPECT_EQ(tiled.pixel(0, 0), qRgb(255, 0, 0)) << what;

    // Centred on the colour; the earlier picture goes once this one is set.
    ASSERT_EQ(desktop.apply(shown()), QString()) << what;
    EXPECT_EQ(pictureOfLastCommand(), numbered(2)) << what;
    const QImage centred(numbered(2));
    EXPECT_EQ(centred.pixel(0, 0), qRgb(255, 128, 0)) << what;
    EXPECT_EQ(centred.pixel(12, 8), qRgb(255, 0, 0)) << what;
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(2)}) << what;

    // No wallpaper: the colour alone, as a picture.
    DesktopValues none;
    none.background = 0xC0E0FF;
    ASSERT_EQ(desktop.apply(none), QString()) << what;
    EXPECT_EQ(pictureOfLastCommand(), numbered(3)) << what;
    EXPECT_EQ(QImage(numbered(3)).pixel(12, 8), qRgb(255, 224, 192)) << what;
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(3)}) << what;
}

INSTANTIATE_TEST_SUITE_P(LXQtAndLXDE, PcmanfmVariantTest,
                         ::testing::Values(PcmanfmDesktop::Variant::LXQt,
                                           PcmanfmDesktop::Variant::LXDE));

TEST_F(PcmanfmDesktopTest, ClearedBeforeAnyPictureTheDesktopKeepsItsColour) {
    PcmanfmDesktop desktop(PcmanfmDesktop::Variant::LXQt, runner, layout);
    DesktopValues none;
    none.background = 0;
    ASSERT_EQ(desktop.apply(none), QString());
    EXPECT_EQ(runner.commands.last(), (QStringList{QStringLiteral("pcmanfm-qt"),
                                                   QStringLiteral("--wallpaper-mode=color")}));
}

TEST_F(PcmanfmDesktopTest, AFailingCommandIsReportedAndItsPictureRemoved) {
    PcmanfmDesktop desktop(PcmanfmDesktop::Variant::LXDE, runner, layout);
    ASSERT_EQ(desktop.apply(shown()), QString());
    runner.failOn = QStringLiteral("--wallpaper-mode=stretch");
    const QString problem = desktop.apply(shown());
    EXPECT_TRUE(problem.contains(QStringLiteral("pcmanfm"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("No such key"))) << problem.toStdString();
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(1)});
}

// 24 x 16 primary at the right, 20 x 10 at the left.
QList<Monitor> twoMonitors() {
    Monitor left, right;
    left.geometry = left.logical = QRect(0, 0, 20, 10);
    right.geometry = right.logical = QRect(20, 0, 24, 16);
    right.primary = true;
    return {left, right};
}

TEST_F(PcmanfmDesktopTest, WithTwoMonitorsLxdeSpansTheLayoutAndLxqtGetsThePrimarys) {
    PcmanfmDesktop lxde(PcmanfmDesktop::Variant::LXDE, runner, twoMonitors);
    ASSERT_EQ(lxde.apply(shown()), QString());
    EXPECT_EQ(runner.commands.last(), (QStringList{QStringLiteral("pcmanfm"),
                                                   QStringLiteral("--set-wallpaper=") + numbered(1),
                                                   QStringLiteral("--wallpaper-mode=screen")}));
    const QImage layout(numbered(1));
    ASSERT_EQ(layout.size(), QSize(44, 16));
    EXPECT_EQ(layout.pixel(6, 2), qRgb(255, 0, 0)); // centred in the left one
    EXPECT_EQ(layout.pixel(5, 2), qRgb(255, 128, 0));
    EXPECT_EQ(layout.pixel(28, 5), qRgb(255, 0, 0)); // and in the right one
    EXPECT_EQ(layout.pixel(27, 5), qRgb(255, 128, 0));
    EXPECT_EQ(layout.pixel(10, 13), qRgb(255, 128, 0)); // below the left one

    RecordingRunner other;
    PcmanfmDesktop lxqt(PcmanfmDesktop::Variant::LXQt, other, twoMonitors);
    ASSERT_EQ(lxqt.apply(shown()), QString());
    EXPECT_EQ(other.commands.last().value(2), QStringLiteral("--wallpaper-mode=stretch"));
    const QString prefix = QStringLiteral("--set-wallpaper=");
    const QImage primary(other.commands.last().value(1).mid(prefix.size()));
    ASSERT_EQ(primary.size(), QSize(24, 16));
    EXPECT_EQ(primary.pixel(8, 5), qRgb(255, 0, 0));
    EXPECT_EQ(primary.pixel(7, 5), qRgb(255, 128, 0));
}

} // namespace
