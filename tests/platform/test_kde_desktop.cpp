#include "platform/KdeDesktop.h"
#include "platform/PlasmaScripting.h"
#include "tests/platform/PrivateBus.h"
#include "tests/platform/WallpaperFixture.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QFile>
#include <QImage>
#include <QMutex>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using Outcome = PlasmaScripting::Reply::Outcome;
using General = QList<std::pair<QString, QString>>;

QString literal(const char* text) {
    return javaScriptString(QString::fromUtf8(text));
}

TEST(KdeDesktopSettings, TheComposedScreenStretchedWithTheColour) {
    const QString picture = QStringLiteral("/home/u/Documents/.ZOZ-7.bmp");
    const QString image = literal("file:///home/u/Documents/.ZOZ-7.bmp");
    const QString orange = literal("#ff8000");
    struct Case {
        Handed in;
        const char* plugin;
        General general;
    } const cases[] = {
        // The placement is in the composed picture already.
        {{"tiled", true, true, 0, 0x0080FF},
         "org.kde.image",
         {{"FillMode", "0"}, {"Color", orange}, {"Image", image}}},
        {{"centred", true, false, 0, 0x0080FF},
         "org.kde.image",
         {{"FillMode", "0"}, {"Color", orange}, {"Image", image}}},
        {{"black", true, false, 0, 0},
         "org.kde.image",
         {{"FillMode", "0"}, {"Color", literal("#000000")}, {"Image", image}}},
        {{"colour kept", true, false, 2, std::nullopt},
         "org.kde.image",
         {{"FillMode", "0"}, {"Image", image}}},
        {{"no picture", false, false, 0, 0xC0E0FF},
         "org.kde.color",
         {{"Color", literal("#ffe0c0")}}},
        {{"no picture, colour kept", false, true, 0, std::nullopt}, "org.kde.color", {}},
    };
    for (const Case& c : cases) {
        QList<KdeDesktop::ScreenPicture> pictures;
        if (c.in.shown)
            pictures.append({QRect(0, 0, 1024, 768), picture});
        const KdeDesktop::Settings s = KdeDesktop::settingsFor(
            c.in.values(QStringLiteral("/home/u/Documents/ZOZ.bmp")), pictures);
        EXPECT_EQ(s.plugin, QLatin1String(c.plugin)) << c.in.what;
        EXPECT_EQ(s.general, c.general) << c.in.what;
        EXPECT_TRUE(s.images.isEmpty()) << c.in.what;
    }
}

TEST(KdeDesktopSettings, ScriptSetsEveryDesktopAndPrintsNothing) {
    const KdeDesktop::Settings settings{
        QStringLiteral("org.kde.image"),
        {{QStringLiteral("FillMode"), QStringLiteral("6")},
         {QStringLiteral("Image"), literal("file:///tmp/a%20b.bmp")}},
        {}};
    EXPECT_EQ(KdeDesktop::scriptFor(settings),
              QStringLiteral("var plugin = \"org.kde.image\";\n"
                             "var all = desktops();\n"
                             "if (all.length == 0)\n"
                             "    throw new Error(\"there is no desktop to show it on\");\n"
                             "for (var i = 0; i < all.length; ++i) {\n"
                             "    var d = all[i];\n"
                             "    d.wallpaperPlugin = plugin;\n"
                             "    d.currentConfigGroup = [\"Wallpaper\", plugin, \"General\"];\n"
                             "    d.writeConfig(\"FillMode\", 6);\n"
                             "    d.writeConfig(\"Image\", \"file:///tmp/a%20b.bmp\");\n"
                             "}\n"));
}

TEST(KdeDesktopSettings, EachScreensDesktopGetsThePictureOfTheScreenItIsOn) {
    const QList<KdeDesktop::ScreenPicture> pictures{
        {QRect(0, 0, 1024, 768), QStringLiteral("/tmp/.ZOZ-1.bmp")},
        {QRect(1024, 0, 800, 600), QStringLiteral("/tmp/.ZOZ-2.bmp")}};
    const KdeDesktop::Settings settings = KdeDesktop::settingsFor(
        {QStringLiteral("/tmp/ZOZ.bmp"), QStringLiteral("/tmp/ZOZ.bmp"), false, 0, 0x0080FF, {}},
        pictures);
    EXPECT_EQ(settings.images, pictures);
    EXPECT_EQ(KdeDesktop::scriptFor(settings),
              QStringLiteral("var plugin = \"org.kde.image\";\n"
                             "var images = [\n"
                             "    [0, 0, 1024, 768, \"file:///tmp/.ZOZ-1.bmp\"],\n"
                             "    [1024, 0, 800, 600, \"file:///tmp/.ZOZ-2.bmp\"],\n"
                             "];\n"
                             "function imageOf(screen) {\n"
                             "    var g = screen >= 0 ? screenGeometry(screen) : null;\n"
                             "    for (var j = 0; g && j < images.length; ++j) {\n"
                             "        var m = images[j];\n"
                             "        if (g.x == m[0] && g.y == m[1] && g.width == m[2] && "
                             "g.height == m[3])\n"
                             "            return m[4];\n"
                             "    }\n"
                             "    return images[0][4];\n"
                             "}\n"
                             "var all = desktops();\n"
                             "if (all.length == 0)\n"
                             "    throw new Error(\"there is no desktop to show it on\");\n"
                             "for (var i = 0; i < all.length; ++i) {\n"
                             "    var d = all[i];\n"
                             "    d.wallpaperPlugin = plugin;\n"
                             "    d.currentConfigGroup = [\"Wallpaper\", plugin, \"General\"];\n"
                             "    d.writeConfig(\"FillMode\", 0);\n"
                             "    d.writeConfig(\"Color\", \"#ff8000\");\n"
                             "    d.writeConfig(\"Image\", imageOf(d.screen));\n"
                             "}\n"));
}

TEST(KdeDesktopSettings, StringLiteralsSurviveQuotesAndNonAscii) {
    EXPECT_EQ(javaScriptString(QStringLiteral("a\"b\\c")), QStringLiteral("\"a\\\"b\\\\c\""));
    EXPECT_EQ(javaScriptString(QString::fromUtf8("\xc3\xa9\n")),
              QStringLiteral("\"\\u00e9\\u000a\""));
}

class KdeDesktopTest : public WallpaperFixture {
protected:
    void SetUp() override {
        WallpaperFixture::SetUp();
        auto recording = std::make_unique<RecordingPlasmaScripting>();
        shell = recording.get();
        desktop = std::make_unique<KdeDesktop>(std::move(recording),
                                               [] { return singleMonitor(screen()); });
    }
    // The file the last script handed to the shell.
    QString imageOfLastScript() const {
        const QString script = shell->scripts.last();
        const qsizetype at = script.indexOf(QStringLiteral("\"Image\", \""));
        if (at < 0)
            return {};
        const qsizetype from = at + 10;
        return QUrl(script.mid(from, script.indexOf(u'"', from) - from)).toLocalFile();
    }

    static QSize screen() { return {24, 16}; }

    RecordingPlasmaScripting* shell = nullptr;
    std::unique_ptr<KdeDesktop> desktop;
};

TEST_F(KdeDesktopTest, TheShellGetsTheComposedScreenUnderANewNameEachTime) {
    ASSERT_EQ(desktop->apply(shown(true)), QString());
    ASSERT_EQ(shell->scripts.size(), 1);
    const QString first = imageOfLastScript();
    EXPECT_EQ(shell->scripts.last(), KdeDesktop::scriptFor(KdeDesktop::settingsFor(
                                         shown(true), {{QRect(QPoint(0, 0), screen()), first}})));
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{first});
    // Tiles start at the top-left corner.
    const QImage tiled(first);
    ASSERT_EQ(tiled.size(), screen());
    EXPECT_EQ(tiled.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(tiled.pixel(23, 15), qRgb(255, 0, 0));

    ASSERT_EQ(desktop->apply(shown()), QString());
    const QString second = imageOfLastScript();
    EXPECT_NE(second, first);
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{second});
    EXPECT_EQ(QImage(second).pixel(0, 0), qRgb(255, 128, 0));
}

TEST_F(KdeDesktopTest, TwoScreensEachGetThePictureComposedForThem) {
    Monitor left, right;
    left.geometry = QRect(0, 0, 48, 32); // device pixels, at twice the scale
    left.logical = QRect(0, 0, 24, 16);  // as the shell counts them
    left.primary = true;
    right.geometry = right.logical = QRect(24, 0, 20, 10);
    auto recording = std::make_unique<RecordingPlasmaScripting>();
    RecordingPlasmaScripting* two = recording.get();
    KdeDesktop backend(std::move(recording), [&] { return QList<Monitor>{right, left}; });

    ASSERT_EQ(backend.apply(shown()), QString());
    const QStringList pictures = ComposedWallpaper::picturesOf(bitmap);
    ASSERT_EQ(pictures.size(), 2);
    // The primary's first: a desktop on a screen the script does not know gets it.
    const auto uri = [](const QString& file) {
        return javaScriptString(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded));
    };
    const QString script = two->scripts.last();
    EXPECT_TRUE(script.contains(QStringLiteral("    [0, 0, 24, 16, %1],\n"
                                               "    [24, 0, 20, 10, %2],\n")
                                    .arg(uri(pictures[0]), uri(pictures[1]))))
        << script.toStdString();
    const QImage first(pictures[0]), second(pictures[1]);
    ASSERT_EQ(first.size(), QSize(48, 32));
    ASSERT_EQ(second.size(), QSize(20, 10));
    // The 8 x 6 bitmap centred in each, orange around it.
    EXPECT_EQ(first.pixel(20, 13), qRgb(255, 0, 0));
    EXPECT_EQ(first.pixel(19, 13), qRgb(255, 128, 0));
    EXPECT_EQ(second.pixel(6, 2), qRgb(255, 0, 0));
    EXPECT_EQ(second.pixel(13, 7), qRgb(255, 0, 0));
    EXPECT_EQ(second.pixel(5, 2), qRgb(255, 128, 0));

    // The next change: new names for both, the old ones gone.
    ASSERT_EQ(backend.apply(shown()), QString());
    const QStringList next = ComposedWallpaper::picturesOf(bitmap);
    ASSERT_EQ(next.size(), 2);
    EXPECT_FALSE(next.contains(pictures[0]) || next.contains(pictures[1]));
}

TEST_F(KdeDesktopTest, ClearingShowsTheColourAndRemovesThePictures) {
    ASSERT_EQ(desktop->apply(shown()), QString());
    DesktopValues none;
    none.background = 0;
    ASSERT_EQ(desktop->apply(none), QString());
    EXPECT_TRUE(shell->scripts.last().contains(QStringLiteral("\"org.kde.color\"")));
    EXPECT_TRUE(shell->scripts.last().contains(QStringLiteral("\"Color\", \"#000000\"")));
    EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList());
}

TEST_F(KdeDesktopTest, ClearingFirstInARunRemovesAnEarlierRunsPictures) {
    const QString left = dir.path() + QStringLiteral("/.ZOZ-4.bmp");
    ASSERT_TRUE(QFile::copy(bitmap, left));
    ASSERT_EQ(desktop->apply(cleared(0)), QString());
    EXPECT_TRUE(shell->scripts.last().contains(QStringLiteral("\"org.kde.color\"")));
    EXPECT_FALSE(QFile::exists(left));
}

TEST_F(KdeDesktopTest, RefusalsAreReportedNotPassedOff) {
    struct Case {
        PlasmaScripting::Reply reply;
        const char* told;
    } const cases[] = {
        {{Outcome::Refused, {}, QStringLiteral("Widgets are locked")}, "Widgets are locked"},
        {{Outcome::Refused, {}, QStringLiteral("plasmashell is not running")}, "not running"},
        // Shells that answer a failed script with its error text.
        {{Outcome::Done, QStringLiteral("Error: desktops is not defined at line 2\n"), {}},
         "desktops is not defined"},
        {{Outcome::NoAnswer, {}, QStringLiteral("plasmashell did not answer in time")},
         "did not answer"},
    };
    for (const Case& c : cases) {
        SetUp();
        ASSERT_EQ(desktop->apply(shown()), QString());
        const QString shownCopy = imageOfLastScript();
        shell->reply = c.reply;
        const QString problem = desktop->apply(shown());
        EXPECT_TRUE(problem.contains(QLatin1String(c.told))) << problem.toStdString();
        const QString refused = imageOfLastScript();
        EXPECT_NE(refused, shownCopy);
        // The picture on the desktop stays; the refused one is removed,
        // unless the shell may still be reading it.
        EXPECT_TRUE(QFile::exists(shownCopy));
        EXPECT_EQ(QFile::exists(refused), c.reply.outcome == Outcome::NoAnswer) << c.told;
        shell->reply = {Outcome::Done, {}, {}};
        ASSERT_EQ(desktop->apply(shown()), QString());
        const QString next = imageOfLastScript();
        EXPECT_NE(next, refused) << c.told;
        EXPECT_EQ(ComposedWallpaper::picturesOf(bitmap), QStringList{next}) << c.told;
    }
}

// Stands in for plasmashell on a private bus, in a thread of its own, as the
// real call blocks the caller's thread until the answer comes.
class FakeShell : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
public:
    QString refusal;
    QStringList scripts() const {
        QMutexLocker lock(&mutex_);
        return scripts_;
    }
public slots:
    QString evaluateScript(const QString& script) {
        {
            QMutexLocker lock(&mutex_);
            scripts_ << script;
        }
        if (!refusal.isEmpty())
            sendErrorReply(QDBusError::Failed, refusal);
        return {};
    }

private:
    mutable QMutex mutex_;
    QStringList scripts_;
};

TEST(DBusPlasmaScripting, CallsTheShellAndTellsItsRefusals) {
    PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QDBusConnection client = QDBusConnection::connectToBus(bus.address(), QStringLiteral("client"));
    ASSERT_TRUE(client.isConnected());
    DBusPlasmaScripting scripting(client, 5000);

    const PlasmaScripting::Reply absent = scripting.evaluateScript(QStringLiteral("print(1)"));
    EXPECT_EQ(absent.outcome, Outcome::Refused);
    EXPECT_EQ(absent.error, QStringLiteral("plasmashell is not running"));

    FakeShell shell;
    const ServedObject served(bus.address(), QStringLiteral("org.kde.plasmashell"),
                              QStringLiteral("/PlasmaShell"), &shell,
                              QDBusConnection::ExportAllSlots);
    ASSERT_TRUE(served.ok());

    const PlasmaScripting::Reply done = scripting.evaluateScript(QStringLiteral("var x = 1;"));
    EXPECT_EQ(done.outcome, Outcome::Done) << done.error.toStdString();
    EXPECT_EQ(shell.scripts(), QStringList{QStringLiteral("var x = 1;")});

    shell.refusal = QStringLiteral("Widgets are locked");
    const PlasmaScripting::Reply locked = scripting.evaluateScript(QStringLiteral("var x = 2;"));
    EXPECT_EQ(locked.outcome, Outcome::Refused);
    EXPECT_EQ(locked.error, QStringLiteral("Widgets are locked"));

    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
}

TEST(DBusPlasmaScripting, NoBusIsARefusal) {
    DBusPlasmaScripting scripting(QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("nowhere")));
    const PlasmaScripting::Reply reply = scripting.evaluateScript(QStringLiteral("var x;"));
    EXPECT_EQ(reply.outcome, Outcome::Refused);
    EXPECT_TRUE(reply.error.contains(QStringLiteral("no D-Bus session bus")))
        << reply.error.toStdString();
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

} // namespace

#include "test_kde_desktop.moc"
