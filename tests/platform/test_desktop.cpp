#include "platform/ComposedWallpaper.h"
#include "platform/DesktopFactory.h"
#include "platform/GnomeDesktop.h"
#include "platform/PcmanfmDesktop.h"
#include "platform/ProcessRunner.h"
#include "platform/RecordingDesktop.h"
#include "platform/RefusingDesktop.h"
#include "platform/X11Desktop.h"
#include "tests/common/ScopedVariable.h"
#include "tests/platform/PrivateBus.h"
#include "tests/platform/RecordingRunner.h"
#include "tests/platform/WallpaperFixture.h"

#include <QDBusConnection>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace {

DesktopWindow windowOf(const char* instance, const char* className) {
    return {QString::fromLatin1(instance), QString::fromLatin1(className), QRect(0, 0, 1024, 768)};
}

TEST(DesktopFactory, ChoosesFromTheSessionItsDesktopWindowsAndWhatIsInstalled) {
    struct Case {
        const char* currentDesktop;
        const char* display;
        bool wayland;
        QList<DesktopWindow> windows;
        bool tools; // the desktops' own tools are installed
        const char* expected;
        bool refused = false; // every change is refused
    } const cases[] = {
        {"GNOME", ":0", false, {}, true, "GNOME"},
        {"ubuntu:GNOME", "", true, {}, true, "GNOME"}, // Wayland: no X display needed
        {"Budgie:GNOME", ":0", false, {}, true, "GNOME"},
        {"Unity", ":0", false, {}, true, "GNOME"},
        {"Pantheon", ":0", false, {}, true, "GNOME"},
        {"X-Cinnamon", ":0", false, {}, true, "Cinnamon"},
        {"MATE", ":0", false, {}, true, "MATE"},
        {"GNOME", ":0", false, {}, false, "X11"}, // no gsettings: the root window still works
        {"i3", ":1", false, {}, true, "X11"},
        {"", ":99", false, {}, false, "X11"},
        {"", "", false, {}, true, "none"},
        {"GNOME", "", false, {}, false, "none"},
        {"KDE", ":0", false, {}, true, "KDE Plasma"},
        {"KDE", "", true, {}, true, "KDE Plasma"}, // Plasma on Wayland
        {"KDE", ":0", false, {}, false, "X11"},
        {"XFCE", ":0", false, {}, true, "Xfce"},
        {"XFCE", ":0", false, {}, false, "X11"},
        {"LXQt", ":0", false, {}, true, "LXQt"},
        {"LXQt", ":0", false, {}, false, "X11"},
        {"LXDE", ":0", false, {}, true, "LXDE"},
        // A desktop the session does not name, known by its desktop window.
        {"i3", ":0", false, {windowOf("pcmanfm-qt", "pcmanfm-qt")}, true, "LXQt"},
        {"", ":0", false, {windowOf("pcmanfm", "Pcmanfm")}, true, "LXDE"},
        {"openbox", ":0", false, {windowOf("desktop_window", "Caja")}, true, "MATE"},
        {"", ":0", false, {windowOf("xfdesktop", "Xfdesktop")}, true, "Xfce"},
        {"GNOME", ":0", false, {windowOf("xfdesktop", "Xfdesktop")}, true, "GNOME"},
        // An unknown desktop window: the root window, which refuses while
        // the window covers it.
        {"i3", ":0", false, {windowOf("mydesk", "MyDesk")}, true, "X11"},
        // Other Wayland sessions: Xwayland's root window is never seen.
        {"sway", ":0", true, {}, true, "sway", true},
        {"", "", true, {}, true, "Wayland", true},
        {"GNOME", ":0", true, {}, false, "GNOME", true},
    };
    for (const Case& c : cases) {
        RecordingRunner runner;
        if (c.tools)
            runner.installed << QStringLiteral("plasmashell") << QStringLiteral("xfconf-query")
                             << QStringLiteral("pcmanfm-qt") << QStringLiteral("pcmanfm");
        else
            runner.installed.clear();
        const DesktopSession session{QString::fromLatin1(c.currentDesktop),
                                     QString::fromLatin1(c.display),
                                     c.wayland,
                                     c.windows,
                                     {}};
        const std::unique_ptr<Desktop> desktop = createDesktop(session, runner);
        ASSERT_TRUE(desktop);
        const std::string what = std::string(c.currentDesktop) + " / " + c.display;
        EXPECT_EQ(desktop->name(), QLatin1String(c.expected)) << what;
        EXPECT_EQ(dynamic_cast<RefusingDesktop*>(desktop.get()) != nullptr, c.refused) << what;
        if (c.refused) {
            const QString reason = desktop->apply({});
            EXPECT_TRUE(reason.contains(QStringLiteral("Wayland"))) << reason.toStdString();
            EXPECT_TRUE(runner.commands.isEmpty());
        }
    }
}

TEST(DesktopFactory, AShellOnTheSessionBusGetsItsOwnBackendOrARefusal) {
    struct Case {
        const char* currentDesktop;
        bool wayland;
        const char* shell;
        bool tools;
        const char* expected;
        const char* drawnBy = nullptr; // refused: the root is covered by it
    } const cases[] = {
        {"", false, "org.gnome.Shell", true, "GNOME"},
        {"i3", false, "org.Cinnamon", true, "Cinnamon"},
        {"", false, "org.kde.plasmashell", true, "KDE Plasma"},
        {"", true, "org.kde.plasmashell", true, "KDE Plasma"},
        {"", false, "org.xfce.xfdesktop", true, "Xfce"},
        // The session's own name still decides first.
        {"XFCE", false, "org.gnome.Shell", true, "Xfce"},
        // The shell paints over the root window: painting it would not show.
        {"", false, "org.gnome.Shell", false, "X11", "gnome-shell"},
        {"mystery", false, "org.Cinnamon", false, "X11", "cinnamon"},
        {"", false, "org.example.Unknown", true, "X11"},
    };
    for (const Case& c : cases) {
        RecordingRunner runner;
        if (c.tools)
            runner.installed << QStringLiteral("plasmashell") << QStringLiteral("xfconf-query");
        else
            runner.installed.clear();
        const DesktopSession session{QString::fromLatin1(c.currentDesktop),
                                     QStringLiteral(":0"),
                                     c.wayland,
                                     {},
                                     {QString::fromLatin1(c.shell)}};
        const std::unique_ptr<Desktop> desktop = createDesktop(session, runner);
        const std::string what = std::string(c.currentDesktop) + " / " + c.shell;
        EXPECT_EQ(desktop->name(), QLatin1String(c.expected)) << what;
        EXPECT_EQ(dynamic_cast<RefusingDesktop*>(desktop.get()) != nullptr, c.drawnBy != nullptr)
            << what;
        if (c.drawnBy) {
            EXPECT_EQ(desktop->apply({}), coveredRootMessage(QLatin1String(c.drawnBy))) << what;
            EXPECT_TRUE(runner.commands.isEmpty());
        }
    }
}

TEST(DesktopFactory, TheShellsAreFoundByTheNamesTheyOwnOnTheBus) {
    PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QDBusConnection client = QDBusConnection::connectToBus(bus.address(), QStringLiteral("client"));
    const auto disconnect =
        qScopeGuard([] { QDBusConnection::disconnectFromBus(QStringLiteral("client")); });
    ASSERT_TRUE(client.isConnected());
    EXPECT_EQ(DesktopSession::shellsOn(client), QStringList());
    const QStringList names{QStringLiteral("org.Cinnamon"), QStringLiteral("org.kde.plasmashell"),
                            QStringLiteral("org.gnome.Shell"),
                            QStringLiteral("org.xfce.xfdesktop")};
    for (const QString& name : names) {
        QDBusConnection shell = QDBusConnection::connectToBus(bus.address(), name);
        ASSERT_TRUE(shell.registerService(name)) << name.toStdString();
        const QStringList found = DesktopSession::shellsOn(client);
        EXPECT_EQ(found, QStringList{name});
        RecordingRunner runner;
        runner.installed << QStringLiteral("plasmashell") << QStringLiteral("xfconf-query");
        const DesktopSession session{{}, QStringLiteral(":0"), false, {}, found};
        EXPECT_NE(createDesktop(session, runner)->name(), QStringLiteral("X11"))
            << name.toStdString();
        EXPECT_TRUE(shell.unregisterService(name));
        QDBusConnection::disconnectFromBus(name);
    }
}

class GnomeDesktopTest : public WallpaperFixture {
protected:
    static QSize screen() { return {24, 16}; }
    static QList<Monitor> layout() { return singleMonitor(screen()); }
    // The file a picture key names, from its GSettings text.
    static QString fileOf(const QString& quotedUri) {
        return QUrl(quotedUri.mid(1, quotedUri.size() - 2)).toLocalFile();
    }
    QString numbered(int n) const { return dir.path() + QStringLiteral("/.ZOZ-%1.bmp").arg(n); }

    RecordingRunner runner;
};

TEST_F(GnomeDesktopTest, TheComposedScreenIsShownSpannedAndThePictureSetLast) {
    GnomeDesktop desktop(GnomeDesktop::Family::Gnome, runner, layout);
    ASSERT_EQ(desktop.apply(shown(true)), QString());
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-options")), QStringLiteral("'spanned'"));
    // Still set: it is what shows while there is no picture.
    EXPECT_EQ(runner.valueOf(QStringLiteral("primary-color")), QStringLiteral("'#ff8000'"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("color-shading-type")), QStringLiteral("'solid'"));
    const QString uri = runner.valueOf(QStringLiteral("picture-uri"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-uri-dark")), uri);
    EXPECT_EQ(runner.setKeys().mid(3),
              (QStringList{QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark")}));
    // The desktop gets the whole screen, tiled from the top-left corner.
    EXPECT_EQ(fileOf(uri), numbered(1));
    const QImage picture(fileOf(uri));
    ASSERT_EQ(picture.size(), screen());
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(23, 15), qRgb(255, 0, 0));

    // Centred: the colour around it is in the picture.
    ASSERT_EQ(desktop.apply(shown()), QString());
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-options")), QStringLiteral("'spanned'"));
    const QImage centred(fileOf(runner.valueOf(QStringLiteral("picture-uri"))));
    EXPECT_EQ(centred.pixel(0, 0), qRgb(255, 128, 0));
    EXPECT_EQ(centred.pixel(12, 8), qRgb(255, 0, 0));
}

TEST_F(GnomeDesktopTest, EveryChangeHasANewNameAndOnlyTheShownPictureStays) {
    {
        GnomeDesktop desktop(GnomeDesktop::Family::Gnome, runner, layout);
        for (const int n : {1, 2, 3}) {
            ASSERT_EQ(desktop.apply(shown()), QString());
            EXPECT_EQ(fileOf(runner.valueOf(QStringLiteral("picture-uri"))), numbered(n));
            EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(n)});
        }
    }
    // A restart goes on from the highest number beside the bitmap.
    GnomeDesktop restarted(GnomeDesktop::Family::Gnome, runner, layout);
    ASSERT_EQ(restarted.apply(shown()), QString());
    EXPECT_EQ(fileOf(runner.valueOf(QStringLiteral("picture-uri"))), numbered(4));

    DesktopValues none;
    none.background = 0;
    ASSERT_EQ(restarted.apply(none), QString());
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-uri")), QStringLiteral("''"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-options")), QStringLiteral("'none'"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("primary-color")), QStringLiteral("'#000000'"));
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList());
}

// Two monitors side by side, of different sizes, the wider one primary:
// 24 x 16 at the left, 20 x 10 at the right.
QList<Monitor> twoMonitors() {
    Monitor left, right;
    left.geometry = left.logical = QRect(0, 0, 24, 16);
    left.names = {QStringLiteral("left"), QStringLiteral("HDMI-1")};
    left.primary = true;
    right.geometry = right.logical = QRect(24, 0, 20, 10);
    right.names = {QStringLiteral("right")};
    return {right, left};
}

TEST_F(GnomeDesktopTest, TheWholeLayoutIsComposedMonitorByMonitorAndSpanned) {
    struct Case {
        GnomeDesktop::Family family;
        const char* pictureKey;
        bool uri;
    } const cases[] = {
        {GnomeDesktop::Family::Gnome, "picture-uri", true},
        {GnomeDesktop::Family::Cinnamon, "picture-uri", true},
        {GnomeDesktop::Family::Mate, "picture-filename", false},
    };
    for (const Case& c : cases) {
        RecordingRunner tool;
        tool.keys = {QString::fromLatin1(c.pictureKey), QStringLiteral("picture-options")};
        GnomeDesktop desktop(c.family, tool, twoMonitors);
        // The right monitor's size has a rendering of its own (a best fit
        // made for it): blue, 6 x 4.
        DesktopValues values = shown();
        values.bitmapFor = [](QSize monitor) {
            return monitor == QSize(20, 10) ? solidImage(QSize(6, 4), Qt::blue) : QImage();
        };
        ASSERT_EQ(desktop.apply(values), QString()) << desktop.name().toStdString();
        EXPECT_EQ(tool.commands[0].value(2), GnomeDesktop::schemaOf(c.family));
        EXPECT_EQ(tool.valueOf(QStringLiteral("picture-options")), QStringLiteral("'spanned'"));
        const QString value = tool.valueOf(QString::fromLatin1(c.pictureKey));
        const QString file = c.uri ? fileOf(value) : value.mid(1, value.size() - 2);
        EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{file});
        const QImage picture(file);
        ASSERT_EQ(picture.size(), QSize(44, 16)) << desktop.name().toStdString();
        // Left: the 8 x 6 bitmap at (8, 5), orange around it, up to the seam.
        EXPECT_EQ(picture.pixel(8, 5), qRgb(255, 0, 0));
        EXPECT_EQ(picture.pixel(15, 10), qRgb(255, 0, 0));
        EXPECT_EQ(picture.pixel(7, 5), qRgb(255, 128, 0));
        EXPECT_EQ(picture.pixel(23, 8), qRgb(255, 128, 0));
        // Right: its own rendering at (31, 3), centred in it alone.
        EXPECT_EQ(picture.pixel(31, 3), qRgb(0, 0, 255));
        EXPECT_EQ(picture.pixel(36, 6), qRgb(0, 0, 255));
        EXPECT_EQ(picture.pixel(30, 3), qRgb(255, 128, 0));
        EXPECT_EQ(picture.pixel(37, 6), qRgb(255, 128, 0));
        // No monitor shows the rows below the right one: the colour.
        EXPECT_EQ(picture.pixel(34, 13), qRgb(255, 128, 0));
        ASSERT_EQ(desktop.apply(cleared()), QString());
    }
}

// The first change of a run clears the wallpaper. The program still names
// its bitmap, so the pictures an earlier run left beside it go, and the
// desktops that are handed the colour as a picture get one.
struct FirstClear {
    const char* what;
    std::function<std::unique_ptr<Desktop>(ProcessRunner&, ComposedWallpaper::Layout)> make;
    QStringList leftovers;   // beside the bitmap, from an earlier run
    QString colourPicture;   // what the desktop is handed; empty for none
    QStringList lastCommand; // from the program on, without the picture
};

void PrintTo(const FirstClear& c, std::ostream* os) {
    *os << c.what;
}

std::function<std::unique_ptr<Desktop>(ProcessRunner&, ComposedWallpaper::Layout)>
gnome(GnomeDesktop::Family family) {
    return [family](ProcessRunner& runner, ComposedWallpaper::Layout screen) {
        return std::make_unique<GnomeDesktop>(family, runner, std::move(screen));
    };
}

std::function<std::unique_ptr<Desktop>(ProcessRunner&, ComposedWallpaper::Layout)>
pcmanfm(PcmanfmDesktop::Variant variant) {
    return [variant](ProcessRunner& runner, ComposedWallpaper::Layout screen) {
        return std::make_unique<PcmanfmDesktop>(variant, runner, std::move(screen));
    };
}

const QStringList kNumbered{QStringLiteral(".ZOZ-3.bmp"), QStringLiteral(".ZOZ-9.bmp")};
const QStringList kAlternating{QStringLiteral(".ZOZ-A.bmp"), QStringLiteral(".ZOZ-B.bmp")};

class FirstClearTest : public GnomeDesktopTest, public ::testing::WithParamInterface<FirstClear> {};

TEST_P(FirstClearTest, ClearingFirstRemovesAnEarlierRunsPictures) {
    const FirstClear& c = GetParam();
    for (const QString& name : c.leftovers)
        ASSERT_TRUE(QFile::copy(bitmap, dir.path() + u'/' + name)) << name.toStdString();
    const std::unique_ptr<Desktop> desktop = c.make(runner, layout);

    ASSERT_EQ(desktop->apply(cleared(0xC0E0FF)), QString());

    for (const QString& name : c.leftovers)
        EXPECT_FALSE(QFile::exists(dir.path() + u'/' + name)) << name.toStdString();
    if (c.colourPicture.isEmpty()) {
        EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList());
        return;
    }
    // The colour as a picture, numbered past the highest left behind.
    const QString picture = dir.path() + u'/' + c.colourPicture;
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{picture});
    const QStringList handed{c.lastCommand[0], QStringLiteral("--set-wallpaper=") + picture,
                             c.lastCommand[1]};
    EXPECT_EQ(runner.commands.last(), handed);
    const QImage colour(picture);
    ASSERT_EQ(colour.size(), screen());
    EXPECT_EQ(colour.pixel(12, 8), qRgb(255, 224, 192));
}

INSTANTIATE_TEST_SUITE_P(
    Backends, FirstClearTest,
    ::testing::Values(
        FirstClear{"GNOME", gnome(GnomeDesktop::Family::Gnome), kNumbered, {}, {}},
        FirstClear{"Cinnamon", gnome(GnomeDesktop::Family::Cinnamon), kAlternating, {}, {}},
        FirstClear{"MATE", gnome(GnomeDesktop::Family::Mate), kAlternating, {}, {}},
        FirstClear{"LXQt",
                   pcmanfm(PcmanfmDesktop::Variant::LXQt),
                   kNumbered,
                   QStringLiteral(".ZOZ-10.bmp"),
                   {QStringLiteral("pcmanfm-qt"), QStringLiteral("--wallpaper-mode=stretch")}},
        FirstClear{"LXDE",
                   pcmanfm(PcmanfmDesktop::Variant::LXDE),
                   kNumbered,
                   QStringLiteral(".ZOZ-10.bmp"),
                   {QStringLiteral("pcmanfm"), QStringLiteral("--wallpaper-mode=stretch")}}),
    [](const ::testing::TestParamInfo<FirstClear>& info) { return std::string(info.param.what); });

TEST_F(GnomeDesktopTest, ClearingFirstTellsTheDesktopThereIsNoPicture) {
    GnomeDesktop desktop(GnomeDesktop::Family::Gnome, runner, layout);
    ASSERT_EQ(desktop.apply(cleared(0xC0E0FF)), QString());
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-uri")), QStringLiteral("''"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-options")), QStringLiteral("'none'"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("primary-color")), QStringLiteral("'#ffe0c0'"));
}

TEST_F(GnomeDesktopTest, AFailingCommandIsReportedNotPassedOff) {
    GnomeDesktop desktop(GnomeDesktop::Family::Gnome, runner, layout);
    ASSERT_EQ(desktop.apply(shown()), QString());
    // Refused before any picture key: the new picture goes, the shown one stays.
    runner.failOn = QStringLiteral("picture-options");
    QString problem = desktop.apply(shown());
    EXPECT_TRUE(problem.contains(QStringLiteral("No such key"))) << problem.toStdString();
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(1)});
    // Refused after the picture was taken in one key: the desktop may show it.
    runner.failOn = QStringLiteral("picture-uri-dark");
    problem = desktop.apply(shown());
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), (QStringList{numbered(1), numbered(3)}));

    RecordingRunner missingSchema;
    missingSchema.failOn = QStringLiteral("list-keys");
    GnomeDesktop without(GnomeDesktop::Family::Mate, missingSchema);
    EXPECT_FALSE(without.apply(shown()).isEmpty());
}

TEST(GnomeDesktopQuoting, QuotesAndBackslashesAreEscaped) {
    EXPECT_EQ(GnomeDesktop::quoted(QStringLiteral("it's a\\b")), QStringLiteral("'it\\'s a\\\\b'"));
}

// The real command against GLib's file-based settings store: the keys must
// exist in the installed schema and take the values as written.
TEST_F(GnomeDesktopTest, RealSettingsStoreTakesTheValues) {
    SystemProcessRunner real;
    if (!real.available(QStringLiteral("gsettings")))
        GTEST_SKIP() << "gsettings is not installed";
    const ScopedVariable backend("GSETTINGS_BACKEND", "keyfile");
    const ScopedVariable config("XDG_CONFIG_HOME",
                                (dir.path() + QStringLiteral("/config")).toLocal8Bit());
    const QStringList schemas =
        QString::fromUtf8(
            real.run(QStringLiteral("gsettings"), {QStringLiteral("list-schemas")}, 10000).output)
            .split(u'\n');
    if (!schemas.contains(QStringLiteral("org.gnome.desktop.background")))
        GTEST_SKIP() << "the GNOME desktop schemas are not installed";

    const auto get = [&](const char* key) {
        return QString::fromUtf8(
                   real.run(QStringLiteral("gsettings"),
                            {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"),
                             QString::fromLatin1(key)},
                            10000)
                       .output)
            .trimmed();
    };
    // A run that begins by clearing removes what an earlier run left.
    ASSERT_TRUE(QFile::copy(bitmap, numbered(5)));
    ASSERT_EQ(GnomeDesktop(GnomeDesktop::Family::Gnome, real, layout).apply(cleared()), QString());
    EXPECT_EQ(get("picture-uri"), QStringLiteral("''"));
    EXPECT_EQ(get("picture-options"), QStringLiteral("'none'"));
    EXPECT_FALSE(QFile::exists(numbered(5)));
    {
        GnomeDesktop desktop(GnomeDesktop::Family::Gnome, real, layout);
        ASSERT_EQ(desktop.apply(shown(true)), QString());
        EXPECT_EQ(get("picture-options"), QStringLiteral("'spanned'"));
        EXPECT_EQ(get("primary-color"), QStringLiteral("'#ff8000'"));
        EXPECT_EQ(get("color-shading-type"), QStringLiteral("'solid'"));
        const QString uri = get("picture-uri");
        EXPECT_EQ(fileOf(uri), numbered(1)) << uri.toStdString();
        EXPECT_EQ(get("picture-uri-dark"), uri);
        ASSERT_EQ(desktop.apply(shown()), QString());
        EXPECT_EQ(fileOf(get("picture-uri")), numbered(2));
        EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(2)});
    }
    // The program starts again: the sequence goes on, and clearing removes it.
    GnomeDesktop restarted(GnomeDesktop::Family::Gnome, real, layout);
    ASSERT_EQ(restarted.apply(shown(false, 2)), QString());
    EXPECT_EQ(fileOf(get("picture-uri")), numbered(3));
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{numbered(3)});
    DesktopValues none;
    none.background = 0xC0E0FF;
    ASSERT_EQ(restarted.apply(none), QString());
    EXPECT_EQ(get("picture-uri"), QStringLiteral("''"));
    EXPECT_EQ(get("picture-options"), QStringLiteral("'none'"));
    EXPECT_EQ(get("primary-color"), QStringLiteral("'#ffe0c0'"));
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList());
}

} // namespace
