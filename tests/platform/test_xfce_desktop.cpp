#include "platform/ComposedWallpaper.h"
#include "platform/ProcessRunner.h"
#include "platform/XfceDesktop.h"
#include "tests/common/ScopedVariable.h"
#include "tests/platform/PrivateBus.h"
#include "tests/platform/WallpaperFixture.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The settings store as xfconf-query shows it: properties of channels, each
// a list of values. Setting a missing property needs -n, as with the real
// tool; every command is kept.
class FakeXfconf final : public ProcessRunner {
public:
    Result run(const QString& program, const QStringList& a, int) override {
        commands.append(a);
        Result r;
        if (program != u"xfconf-query" || !a.contains(QStringLiteral("-c")))
            return r;
        const QString channel = a.value(a.indexOf(QStringLiteral("-c")) + 1);
        if (unreachable || channel == failChannel) {
            r.exitCode = 1;
            r.errors = "Failed to init libxfconf";
            return r;
        }
        auto& properties = channels[channel];
        if (a.contains(QStringLiteral("-l"))) {
            for (auto it = properties.cbegin(); it != properties.cend(); ++it)
                r.output += it.key().toUtf8() + '\n';
            r.exitCode = 0;
            return r;
        }
        const QString property = a.value(a.indexOf(QStringLiteral("-p")) + 1);
        QStringList values;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (a[i] == u"-s")
                values << a.value(i + 1);
        if (values.isEmpty()) {
            r.exitCode = properties.contains(property) ? 0 : 1;
            r.output = properties.value(property).join(u'\n').toUtf8();
            return r;
        }
        if ((!properties.contains(property) && !a.contains(QStringLiteral("-n"))) ||
            (!failOn.isEmpty() && property.contains(failOn))) {
            r.exitCode = 1;
            r.errors = "Property cannot be set";
            return r;
        }
        properties[property] = values;
        r.exitCode = 0;
        return r;
    }
    bool available(const QString&) const override { return true; }

    QStringList value(const QString& property) const {
        return channels.value(QStringLiteral("xfce4-desktop")).value(property);
    }
    // The properties set, in order.
    QStringList setProperties() const {
        QStringList out;
        for (const QStringList& c : commands)
            if (c.contains(QStringLiteral("-s")))
                out << c.value(c.indexOf(QStringLiteral("-p")) + 1);
        return out;
    }

    QMap<QString, QMap<QString, QStringList>> channels;
    bool unreachable = false;
    QString failChannel;
    QString failOn;
    QList<QStringList> commands;
};

TEST(XfceWorkspaceFolders, EveryMonitorAndWorkspaceKnownOrConnected) {
    const QString ws = QStringLiteral("/backdrop/screen0/monitor%1/workspace%2");
    const auto folder = [&](const char* monitor, int workspace) {
        return ws.arg(QLatin1String(monitor)).arg(workspace);
    };
    struct Case {
        const char* what;
        QStringList properties;
        QStringList monitors;
        int count;
        QStringList expected;
    } const cases[] = {
        {"never set up, nothing known", {}, {}, 0, {folder("0", 0)}},
        {"never set up", {}, {"HDMI-1"}, 2, {folder("HDMI-1", 0), folder("HDMI-1", 1)}},
        {"count unknown: the workspaces there are",
         {folder("eDP-1", 0) + "/last-image", folder("eDP-1", 2) + "/image-style",
          "/backdrop/single-workspace-mode", "/desktop-icons/style"},
         {},
         0,
         {folder("eDP-1", 0), folder("eDP-1", 1), folder("eDP-1", 2)}},
        {"fewer workspaces now: the old ones are set too",
         {folder("eDP-1", 3) + "/last-image"},
         {"eDP-1"},
         2,
         {folder("eDP-1", 0), folder("eDP-1", 1), folder("eDP-1", 3)}},
        {"old monitor names, and a monitor connected since",
         {folder("0", 0) + "/last-image", folder("HDMI-1", 0) + "/last-image"},
         {"HDMI-1", "DP-2"},
         1,
         {folder("0", 0), folder("HDMI-1", 0), folder("DP-2", 0)}},
        {"a second screen",
         {"/backdrop/screen1/monitor0/workspace0/last-image"},
         {},
         1,
         {folder("0", 0), QStringLiteral("/backdrop/screen1/monitor0/workspace0")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XfceDesktop::workspaceFolders(c.properties, c.monitors, c.count), c.expected)
            << c.what;
}

// HDMI-1, the primary, 24 x 16; DP-2 at its right, 20 x 10.
QList<Monitor> twoMonitors() {
    Monitor hdmi, dp;
    hdmi.geometry = hdmi.logical = QRect(0, 0, 24, 16);
    hdmi.names = {QStringLiteral("HDMI-1")};
    hdmi.primary = true;
    dp.geometry = dp.logical = QRect(24, 0, 20, 10);
    dp.names = {QStringLiteral("DP-2")};
    return {hdmi, dp};
}

class XfceDesktopTest : public WallpaperFixture {
protected:
    void SetUp() override {
        WallpaperFixture::SetUp();
        // One workspace set up by hand, a second monitor plugged in since.
        xfconf.channels[QStringLiteral("xfce4-desktop")]
                       [QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image")] =
            QStringList{QStringLiteral("/usr/share/backgrounds/xfce/default.png")};
        xfconf.channels[QStringLiteral("xfwm4")][QStringLiteral("/general/workspace_count")] =
            QStringList{QStringLiteral("2")};
    }
    static QStringList folders() {
        QStringList out;
        for (const char* monitor : {"HDMI-1", "DP-2"})
            for (int w = 0; w < 2; ++w)
                out << QStringLiteral("/backdrop/screen0/monitor%1/workspace%2")
                           .arg(QLatin1String(monitor))
                           .arg(w);
        return out;
    }

    FakeXfconf xfconf;
    XfceDesktop desktop{xfconf, twoMonitors};
};

TEST_F(XfceDesktopTest, PlacementAndColourOnEveryMonitorAndWorkspace) {
    struct Case {
        Handed in;
        const char* imageStyle;
        QStringList rgba; // empty: not written
        QRgb corner;      // the top-left pixel of the right monitor's picture
    } const cases[] = {
        // Each monitor shows the picture composed for it, stretched.
        {{"tiled", true, true, 0, 0x0080FF}, "3", {"1", "0.501961", "0", "1"}, qRgb(255, 0, 0)},
        {{"centred", true, false, 0, 0xC0E0FF},
         "3",
         {"1", "0.878431", "0.752941", "1"},
         qRgb(255, 224, 192)},
        {{"stretched", true, false, 2, 0x004080},
         "3",
         {"0.501961", "0.25098", "0", "1"},
         qRgb(255, 0, 0)},
        {{"tiled and stretched", true, true, 2, 0}, "3", {"0", "0", "0", "1"}, qRgb(255, 0, 0)},
        {{"colour kept", true, false, 0, std::nullopt}, "3", {}, qRgb(0, 0, 0)},
        {{"no picture", false, false, 0, 0x0080FF}, "0", {"1", "0.501961", "0", "1"}, 0},
    };
    for (const Case& c : cases) {
        FakeXfconf store;
        store.channels = xfconf.channels;
        XfceDesktop backend(store, twoMonitors);
        const char* what = c.in.what;
        const bool withPicture = c.in.shown;
        ASSERT_EQ(backend.apply(c.in.values(bitmap)), QString()) << what;
        for (const QString& f : folders()) {
            EXPECT_EQ(store.value(f + QStringLiteral("/image-style")),
                      QStringList{QLatin1String(c.imageStyle)})
                << what << " " << f.toStdString();
            EXPECT_EQ(store.value(f + QStringLiteral("/color-style")),
                      QStringList{QStringLiteral("0")});
            EXPECT_EQ(store.value(f + QStringLiteral("/rgba1")), c.rgba) << what;
            const QStringList image = store.value(f + QStringLiteral("/last-image"));
            if (withPicture) {
                EXPECT_TRUE(ComposedWallpaper::picturesOf(bitmap).contains(image.value(0)))
                    << what << " " << f.toStdString();
                const QImage picture(image.value(0));
                const bool right = f.contains(QStringLiteral("monitorDP-2"));
                EXPECT_EQ(picture.size(), right ? QSize(20, 10) : QSize(24, 16))
                    << what << " " << f.toStdString();
                if (right) {
                    EXPECT_EQ(picture.pixel(0, 0), c.corner) << what;
                }
            } else {
                // Clearing leaves the pictures named alone: the style hides them.
                const bool setUpByHand = f.contains(QStringLiteral("HDMI-1/workspace0"));
                EXPECT_EQ(image.value(0),
                          setUpByHand ? QStringLiteral("/usr/share/backgrounds/xfce/default.png")
                                      : QString())
                    << what << " " << f.toStdString();
            }
        }
    }
}

TEST_F(XfceDesktopTest, PicturesComeLastUnderNewNamesSoTheDesktopReloads) {
    ASSERT_EQ(desktop.apply(shown()), QString());
    const QStringList set = xfconf.setProperties();
    const qsizetype firstImage = set.indexOf(QRegularExpression(QStringLiteral(".*/last-image$")));
    ASSERT_GT(firstImage, 0);
    for (qsizetype i = firstImage; i < set.size(); ++i)
        EXPECT_TRUE(set[i].endsWith(QStringLiteral("/last-image"))) << set[i].toStdString();
    EXPECT_EQ(set.size() - firstImage, 4);

    const QString image = QStringLiteral("/backdrop/screen0/monitorDP-2/workspace1/last-image");
    const QString first = xfconf.value(image).value(0);
    EXPECT_TRUE(QFile::exists(first));
    ASSERT_EQ(desktop.apply(shown()), QString());
    const QString second = xfconf.value(image).value(0);
    EXPECT_NE(second, first);
    EXPECT_FALSE(QFile::exists(first));
    // One picture for each monitor.
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap).size(), 2);
    EXPECT_TRUE(ComposedWallpaper::picturesOf(bitmap).contains(second));

    DesktopValues none;
    ASSERT_EQ(desktop.apply(none), QString());
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList());
}

TEST_F(XfceDesktopTest, ClearingFirstInARunRemovesAnEarlierRunsPictures) {
    const QStringList earlier = ComposedWallpaper::alternatingCopiesOf(bitmap)
                                << dir.path() + QStringLiteral("/.ZOZ-3.bmp");
    for (const QString& copy : earlier)
        ASSERT_TRUE(QFile::copy(bitmap, copy));
    ASSERT_EQ(desktop.apply(cleared()), QString());
    for (const QString& copy : earlier)
        EXPECT_FALSE(QFile::exists(copy)) << copy.toStdString();
}

// A monitor is known to the desktop by its own name or by its output's,
// and to older desktops by its number: each is set, with that monitor's
// picture; a name no monitor has now gets the primary's.
TEST_F(XfceDesktopTest, EveryNameOfAMonitorGetsItsPicture) {
    Monitor left, right;
    left.geometry = left.logical = QRect(0, 0, 24, 16);
    left.names = {QStringLiteral("left"), QStringLiteral("screen")};
    right.geometry = right.logical = QRect(24, 0, 20, 10);
    right.names = {QStringLiteral("right")};
    FakeXfconf store;
    store.channels[QStringLiteral("xfce4-desktop")]
                  [QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image")] =
        QStringList{QStringLiteral("/old.png")};
    XfceDesktop backend(store, [&] { return QList<Monitor>{left, right}; });
    ASSERT_EQ(backend.apply(shown()), QString());
    const auto sizeOf = [&](const char* monitor) {
        return QImage(store
                          .value(QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image")
                                     .arg(QLatin1String(monitor)))
                          .value(0))
            .size();
    };
    EXPECT_EQ(sizeOf("left"), QSize(24, 16));
    EXPECT_EQ(sizeOf("screen"), QSize(24, 16));
    EXPECT_EQ(sizeOf("right"), QSize(20, 10));
    EXPECT_EQ(sizeOf("0"), QSize(24, 16));
}

TEST_F(XfceDesktopTest, WithoutTheWindowManagersCountTheWorkspacesThereAre) {
    xfconf.failChannel = QStringLiteral("xfwm4");
    ASSERT_EQ(desktop.apply(shown()), QString());
    EXPECT_FALSE(xfconf.value(QStringLiteral("/backdrop/screen0/monitorDP-2/workspace0/last-image"))
                     .isEmpty());
    EXPECT_TRUE(xfconf.value(QStringLiteral("/backdrop/screen0/monitorDP-2/workspace1/last-image"))
                    .isEmpty());
}

TEST_F(XfceDesktopTest, FailuresAreReportedNotPassedOff) {
    ASSERT_EQ(desktop.apply(shown()), QString());
    const QString shownCopy =
        xfconf.value(QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image"))
            .value(0);
    const QStringList shownPictures = ComposedWallpaper::picturesOf(bitmap);

    // No settings daemon: nothing was handed over, the new pictures go.
    xfconf.unreachable = true;
    QString problem = desktop.apply(shown());
    EXPECT_TRUE(problem.contains(QStringLiteral("Failed to init libxfconf")))
        << problem.toStdString();
    EXPECT_TRUE(QFile::exists(shownCopy));
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), shownPictures);

    // Refused after some backgrounds took the new copy: it stays for them.
    xfconf.unreachable = false;
    xfconf.failOn = QStringLiteral("workspace1/last-image");
    xfconf.commands.clear();
    problem = desktop.apply(shown());
    EXPECT_TRUE(problem.contains(QStringLiteral("cannot be set"))) << problem.toStdString();
    const QStringList tried = xfconf.setProperties();
    ASSERT_GE(tried.size(), 2);
    ASSERT_TRUE(tried[tried.size() - 2].endsWith(QStringLiteral("workspace0/last-image")));
    const QString newCopy = xfconf.value(tried[tried.size() - 2]).value(0);
    EXPECT_NE(newCopy, shownCopy);
    EXPECT_TRUE(QFile::exists(newCopy));
}

// The real tools against a settings daemon on a bus of the test's own, with
// a private settings folder.
TEST_F(XfceDesktopTest, RealSettingsStoreTakesTheValues) {
    SystemProcessRunner real;
    if (!real.available(QStringLiteral("xfconf-query")))
        GTEST_SKIP() << "xfconf-query is not installed";
    // The settings daemon the bus starts takes the bus's environment.
    const ScopedVariable config("XDG_CONFIG_HOME",
                                (dir.path() + QStringLiteral("/config")).toLocal8Bit());
    PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    const ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", bus.address().toLocal8Bit());
    const auto query = [&](const QStringList& arguments) {
        return real.run(QStringLiteral("xfconf-query"), arguments, 10000);
    };
    const auto get = [&](const QString& property) {
        const ProcessRunner::Result r =
            query({QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
                   QStringLiteral("/backdrop/screen0/monitorVirtual-1/") + property});
        return r.exitCode == 0 ? QString::fromUtf8(r.output).trimmed() : QString();
    };
    ASSERT_EQ(query({QStringLiteral("-c"), QStringLiteral("xfwm4"), QStringLiteral("-p"),
                     QStringLiteral("/general/workspace_count"), QStringLiteral("-n"),
                     QStringLiteral("-t"), QStringLiteral("int"), QStringLiteral("-s"),
                     QStringLiteral("2")})
                  .exitCode,
              0)
        << "the settings daemon did not start";

    Monitor virtual1;
    virtual1.geometry = virtual1.logical = QRect(0, 0, 24, 16);
    virtual1.names = {QStringLiteral("Virtual-1")};
    XfceDesktop backend(real, [&] { return QList<Monitor>{virtual1}; });
    ASSERT_EQ(backend.apply(shown(true)), QString());
    const QString first = get(QStringLiteral("workspace1/last-image"));
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{first});
    EXPECT_EQ(QImage(first).size(), QSize(24, 16));
    EXPECT_EQ(get(QStringLiteral("workspace0/last-image")), first);
    EXPECT_EQ(get(QStringLiteral("workspace1/image-style")), QStringLiteral("3"));
    EXPECT_EQ(get(QStringLiteral("workspace1/color-style")), QStringLiteral("0"));
    EXPECT_TRUE(get(QStringLiteral("workspace0/rgba1"))
                    .endsWith(QStringLiteral("1.000000\n0.501961\n0.000000\n1.000000")))
        << get(QStringLiteral("workspace0/rgba1")).toStdString();

    // Existing properties take new values of the same types.
    DesktopValues stretched = shown(false, 2);
    stretched.background = 0x004080;
    ASSERT_EQ(backend.apply(stretched), QString());
    EXPECT_NE(get(QStringLiteral("workspace1/last-image")), first);
    EXPECT_EQ(get(QStringLiteral("workspace1/image-style")), QStringLiteral("3"));
    EXPECT_TRUE(get(QStringLiteral("workspace1/rgba1"))
                    .endsWith(QStringLiteral("0.501961\n0.250980\n0.000000\n1.000000")))
        << get(QStringLiteral("workspace1/rgba1")).toStdString();
}

} // namespace
