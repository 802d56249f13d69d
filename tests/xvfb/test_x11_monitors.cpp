#include "engine/DisplayEntry.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "platform/DesktopFactory.h"
#include "platform/ProcessRunner.h"
#include "platform/X11Desktop.h"
#include "tests/common/EndProcess.h"
#include "tests/common/PictureKit.h"
#include "tests/common/ScopedVariable.h"
#include "tests/common/TestEnvironment.h"
#include "tests/platform/PrivateBus.h"
#include "tests/xvfb/OwnXvfb.h"
#include "tests/xvfb/RootWindowProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QRgb kRed = qRgb(220, 30, 30), kBlue = qRgb(30, 60, 200), kGreen = qRgb(30, 200, 60);
const QRgb kDesktop = qRgb(0x20, 0x40, 0x80); // &H00804020

// 200 x 100: the left half red, the right half blue, a green corner of
// 10 x 10 at the top-left, so that the scale, the offset and where tiles
// start all show.
QImage halves() {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(kBlue);
    QPainter p(&image);
    p.fillRect(0, 0, 100, 100, QColor(kRed));
    p.fillRect(0, 0, 10, 10, QColor(kGreen));
    return image;
}

// A root window of 1824 x 768 as two monitors: 1024 x 768 on the left (the
// first, whose size the program renders its bitmap for) and 800 x 600 on
// the right, with 168 rows below it that no monitor shows.
class X11MonitorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb.display().isEmpty())
            GTEST_SKIP() << xvfb.why().toStdString();
        for (const QStringList& monitor :
             {QStringList{QStringLiteral("left"), QStringLiteral("1024/271x768/203+0+0"),
                          QStringLiteral("screen")},
              QStringList{QStringLiteral("right"), QStringLiteral("800/211x600/159+1024+0"),
                          QStringLiteral("none")}})
            if (const QString problem =
                    xvfb.xrandr(QStringList{QStringLiteral("--setmonitor")} + monitor);
                !problem.isEmpty())
                GTEST_SKIP() << problem.toStdString();
        if (X11Desktop::monitors(xvfb.display()).size() != 2)
            GTEST_SKIP() << "the X server shows no RandR 1.5 monitors";
        probe = std::make_unique<RootWindowProbe>(xvfb.display());
        ASSERT_TRUE(probe->connected());
        desktop = std::make_unique<X11Desktop>(xvfb.display());
        env.screen.width = 1024;
        env.screen.height = 768;
        services().desktop = desktop.get();
        Options.Border = 0;
        Options.DisplayMMessage = false;
        QDir().mkpath(Options.PrivateMagicListPath);
        picture = saveImage(halves(), env.path(QStringLiteral("halves.png")), "PNG");
    }
    void TearDown() override { services().desktop = nullptr; }

    // Shows the picture with a placement and reads the root window back.
    QImage show(int16_t placement, int32_t border = 0) {
        Options.Border = border;
        clsMagicList list;
        int32_t colour = 0x00804020;
        EXPECT_GE(list.AddItem(picture, colour, placement), 0);
        DisplayListEntry(list, 0, true);
        EXPECT_TRUE(env.errors.calls.isEmpty()) << env.errors.messages().join(u'\n').toStdString();
        return probe->grab();
    }

    OwnXvfb xvfb{QSize(1824, 768)};
    TestEnvironment env;
    std::unique_ptr<RootWindowProbe> probe;
    std::unique_ptr<X11Desktop> desktop;
    QString picture;
};

TEST_F(X11MonitorsTest, TheMonitorsAreFoundWithTheNamesTheirOutputsGiveThem) {
    const QList<Monitor> monitors = X11Desktop::monitors(xvfb.display());
    ASSERT_EQ(monitors.size(), 2);
    EXPECT_EQ(monitors[0].geometry, QRect(0, 0, 1024, 768));
    EXPECT_EQ(monitors[0].names, (QStringList{QStringLiteral("left"), QStringLiteral("screen")}));
    EXPECT_EQ(monitors[1].geometry, QRect(1024, 0, 800, 600));
    EXPECT_EQ(monitors[1].names, QStringList{QStringLiteral("right")});
}

TEST_F(X11MonitorsTest, EachPlacementIsWithinEachMonitorAndNothingCrossesTheSeam) {
    struct Probe {
        int x, y;
        QRgb expected;
    };
    struct Case {
        const char* what;
        int16_t placement;
        int32_t border;
        QList<Probe> probes;
    } const cases[] = {
        {"centred",
         2,
         0,
         {// left: 200 x 100 at (412, 334)
          {462, 384, kRed},
          {562, 384, kBlue},
          {413, 335, kGreen},
          {411, 384, kDesktop},
          {1023, 384, kDesktop},
          // right: at (1324, 250), not across the seam at 1024
          {1374, 300, kRed},
          {1474, 300, kBlue},
          {1325, 251, kGreen},
          {1323, 300, kDesktop},
          {1024, 384, kDesktop},
          {1600, 700, kDesktop}}},
        {"tiled",
         1,
         0,
         {// tiles start at each monitor's top-left corner
          {1, 1, kGreen},
          {201, 101, kGreen},
          {1001, 701, kGreen},
          {50, 50, kRed},
          {150, 50, kBlue},
          {1025, 1, kGreen},
          {1225, 101, kGreen},
          {1045, 50, kRed},
          {1174, 50, kBlue},
          {1300, 650, kDesktop}}},
        {"stretched",
         3,
         0,
         {// over the left monitor alone: 5.12 times as wide, 7.68 as high
          {300, 400, kRed},
          {800, 400, kBlue},
          {1020, 760, kBlue},
          {20, 20, kGreen},
          // and over the right one, all 600 rows of it
          {1200, 300, kRed},
          {1700, 590, kBlue},
          {1030, 30, kGreen},
          {1030, 70, kRed},
          {1700, 610, kDesktop}}},
        {"best fit",
         4,
         0,
         {// left: 1024 x 512 at (0, 128)
          {200, 384, kRed},
          {800, 384, kBlue},
          {500, 100, kDesktop},
          {500, 660, kDesktop},
          {20, 140, kGreen},
          // right: 800 x 400 at (1024, 100)
          {1224, 300, kRed},
          {1624, 300, kBlue},
          {1200, 80, kDesktop},
          {1200, 520, kDesktop},
          {1044, 120, kGreen}}},
        {"stretched inside a border",
         3,
         20,
         {// left: 984 x 728 at (20, 20)
          {10, 10, kDesktop},
          {30, 30, kGreen},
          {300, 400, kRed},
          {1015, 400, kDesktop},
          // right: 760 x 560 at (1044, 20)
          {1034, 300, kDesktop},
          {1050, 30, kGreen},
          {1200, 300, kRed},
          {1700, 300, kBlue},
          {1814, 300, kDesktop},
          {1700, 590, kDesktop}}},
    };
    for (const Case& c : cases) {
        const QImage root = show(c.placement, c.border);
        ASSERT_EQ(root.size(), QSize(1824, 768)) << c.what;
        for (const Probe& p : c.probes)
            EXPECT_EQ(root.pixel(p.x, p.y), p.expected) << c.what << " at " << p.x << ", " << p.y;
    }
}

TEST_F(X11MonitorsTest, AChangedMonitorGetsItsPictureAtOnce) {
    QImage root = show(2);
    EXPECT_EQ(root.pixel(1374, 300), kRed);

    // The right monitor shrinks to 600 x 500: the picture moves to its new middle.
    ASSERT_EQ(xvfb.xrandr({QStringLiteral("--delmonitor"), QStringLiteral("right")}), QString());
    ASSERT_EQ(xvfb.xrandr({QStringLiteral("--setmonitor"), QStringLiteral("right"),
                           QStringLiteral("600/158x500/132+1024+0"), QStringLiteral("none")}),
              QString());
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    ASSERT_TRUE(app);
    emit app->screenAdded(QGuiApplication::primaryScreen());
    QCoreApplication::processEvents();
    root = probe->grab();
    EXPECT_EQ(root.pixel(1024 + 200 + 50, 200 + 50), kRed);   // at (1224, 200)
    EXPECT_EQ(root.pixel(1024 + 200 + 150, 200 + 50), kBlue); // its right half
    EXPECT_EQ(root.pixel(1374, 330), kDesktop);               // not where it was
    EXPECT_EQ(root.pixel(462, 384), kRed);                    // the left one as it was

    // Taken away: no picture where it was.
    ASSERT_EQ(xvfb.xrandr({QStringLiteral("--delmonitor"), QStringLiteral("right")}), QString());
    emit app->screenRemoved(QGuiApplication::primaryScreen());
    QCoreApplication::processEvents();
    root = probe->grab();
    EXPECT_EQ(root.pixel(1274, 250), kDesktop);
    EXPECT_EQ(root.pixel(462, 384), kRed);
}

// The real Xfce desktop on the two monitors. Its toolkit sees only the
// monitors that have an output: the left one, by its output's name
// ("screen"); the right one shows the root window.
TEST_F(X11MonitorsTest, XfceShowsThePictureOnBothMonitors) {
    for (const char* program : {"xfdesktop", "xfconf-query", "dbus-daemon"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            GTEST_SKIP() << program << " is not installed";
    QTemporaryDir home;
    // The settings daemon the bus starts takes the bus's environment.
    const ScopedVariable config("XDG_CONFIG_HOME",
                                (home.path() + QStringLiteral("/config")).toLocal8Bit());
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty());
    const ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", bus.address().toLocal8Bit());

    QProcess xfdesktop;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), xvfb.display());
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.remove(QStringLiteral("SESSION_MANAGER"));
    xfdesktop.setProcessEnvironment(environment);
    xfdesktop.setProcessChannelMode(QProcess::MergedChannels);
    xfdesktop.start(QStringLiteral("xfdesktop"), {QStringLiteral("--disable-wm-check")});
    ASSERT_TRUE(xfdesktop.waitForStarted(5000));
    const auto stop = qScopeGuard([&] { endProcess(xfdesktop); });
    // Until it has read the monitors it sees and set up their settings.
    SystemProcessRunner runner;
    QByteArray listed;
    QElapsedTimer waited;
    waited.start();
    while (!listed.contains("monitorscreen") && waited.elapsed() < 10000) {
        listed =
            runner
                .run(QStringLiteral("xfconf-query"),
                     {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-l")},
                     5000)
                .output;
        QThread::msleep(100);
    }
    ASSERT_TRUE(listed.contains("monitorscreen")) << xfdesktop.readAll().toStdString();
    EXPECT_FALSE(listed.contains("monitorright")); // its toolkit does not see that one

    const std::unique_ptr<Desktop> xfce =
        createDesktop({QStringLiteral("XFCE"), xvfb.display(), false, {}, {}}, runner);
    ASSERT_EQ(xfce->name(), QStringLiteral("Xfce"));
    services().desktop = xfce.get();
    // Centred: on the left in the middle of 1024 x 768, on the right in
    // the middle of 800 x 600.
    show(2);
    QImage root;
    waited.restart();
    while (waited.elapsed() < 10000) {
        root = probe->grab();
        if (root.pixel(462, 384) == kRed && root.pixel(1374, 300) == kRed)
            break;
        QThread::msleep(100);
    }
    EXPECT_EQ(root.pixel(462, 384), kRed);
    EXPECT_EQ(root.pixel(562, 384), kBlue);
    EXPECT_EQ(root.pixel(411, 384), kDesktop);
    EXPECT_EQ(root.pixel(1374, 300), kRed);
    EXPECT_EQ(root.pixel(1474, 300), kBlue);
    EXPECT_EQ(root.pixel(1323, 300), kDesktop);
    EXPECT_EQ(root.pixel(1024, 384), kDesktop);
}

} // namespace
