#include "platform/DesktopFactory.h"
#include "platform/GnomeDesktop.h"
#include "platform/ProcessRunner.h"
#include "platform/RecordingDesktop.h"
#include "platform/X11Desktop.h"
#include "tests/platform/WallpaperFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Records every command and answers from a table; "list-keys" gives the
// keys of a schema that has a dark picture.
class RecordingRunner final : public ProcessRunner {
public:
    Result run(const QString& program, const QStringList& arguments, int) override {
        commands.append(QStringList{program} + arguments);
        Result r;
        r.exitCode = arguments.contains(failOn) ? 1 : 0;
        if (r.exitCode != 0)
            r.errors = "No such key";
        if (arguments.value(0) == u"list-keys")
            r.output = keys.join(u'\n').toUtf8();
        return r;
    }
    bool available(const QString& program) const override { return installed.contains(program); }

    // The value given to a key by the last "set" of it.
    QString valueOf(const QString& key) const {
        QString value;
        for (const QStringList& c : commands)
            if (c.value(1) == u"set" && c.value(3) == key)
                value = c.value(4);
        return value;
    }
    QStringList setKeys() const {
        QStringList out;
        for (const QStringList& c : commands)
            if (c.value(1) == u"set")
                out << c.value(3);
        return out;
    }

    QList<QStringList> commands;
    QStringList installed{QStringLiteral("gsettings")};
    QStringList keys{QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark"),
                     QStringLiteral("picture-options"), QStringLiteral("primary-color")};
    QString failOn = QStringLiteral("\x01");
};

TEST(DesktopFactory, ChoosesFromTheSessionAndWhatIsInstalled) {
    struct Case {
        const char* currentDesktop;
        const char* display;
        bool tools; // the desktops' own tools are installed
        const char* expected;
    } const cases[] = {
        {"GNOME", ":0", true, "GNOME"},
        {"ubuntu:GNOME", "", true, "GNOME"}, // Wayland: no X display needed
        {"Budgie:GNOME", ":0", true, "GNOME"},
        {"Unity", ":0", true, "GNOME"},
        {"X-Cinnamon", ":0", true, "Cinnamon"},
        {"MATE", ":0", true, "MATE"},
        {"GNOME", ":0", false, "X11"}, // no gsettings: the root window still works
        {"i3", ":1", true, "X11"},
        {"", ":99", false, "X11"},
        {"", "", true, "none"},
        {"GNOME", "", false, "none"},
        {"KDE", ":0", true, "KDE Plasma"},
        {"KDE", "", true, "KDE Plasma"}, // Plasma on Wayland
        {"KDE", ":0", false, "X11"},
        {"XFCE", ":0", true, "Xfce"},
        {"XFCE", ":0", false, "X11"},
        {"LXQt", ":0", true, "X11"},
    };
    for (const Case& c : cases) {
        RecordingRunner runner;
        if (c.tools)
            runner.installed << QStringLiteral("plasmashell") << QStringLiteral("xfconf-query");
        else
            runner.installed.clear();
        const std::unique_ptr<Desktop> desktop = createDesktop(
            {QString::fromLatin1(c.currentDesktop), QString::fromLatin1(c.display)}, runner);
        ASSERT_TRUE(desktop);
        EXPECT_EQ(desktop->name(), QLatin1String(c.expected))
            << c.currentDesktop << " / " << c.display;
    }
}

class GnomeDesktopTest : public WallpaperFixture {
protected:
    RecordingRunner runner;
};

TEST_F(GnomeDesktopTest, SetsTheKeysWithThePictureLast) {
    GnomeDesktop desktop(GnomeDesktop::Family::Gnome, runner);
    ASSERT_EQ(desktop.apply(shown(true)), QString());
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-options")), QStringLiteral("'wallpaper'"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("primary-color")), QStringLiteral("'#ff8000'"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("color-shading-type")), QStringLiteral("'solid'"));
    const QString uri = runner.valueOf(QStringLiteral("picture-uri"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-uri-dark")), uri);
    EXPECT_EQ(runner.setKeys().mid(3),
              (QStringList{QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark")}));
    // The desktop is given a fresh copy of the bitmap, not the bitmap itself.
    const QString shownFile = QUrl(uri.mid(1, uri.size() - 2)).toLocalFile();
    EXPECT_NE(shownFile, bitmap);
    EXPECT_EQ(QFileInfo(shownFile).absolutePath(), dir.path());
    EXPECT_TRUE(QFile::exists(shownFile));
}

TEST_F(GnomeDesktopTest, EveryChangeGivesTheDesktopANewNameSoItReloads) {
    GnomeDesktop desktop(GnomeDesktop::Family::Gnome, runner);
    ASSERT_EQ(desktop.apply(shown(false, 2)), QString());
    const QString first = runner.valueOf(QStringLiteral("picture-uri"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-options")), QStringLiteral("'stretched'"));
    ASSERT_EQ(desktop.apply(shown()), QString());
    const QString second = runner.valueOf(QStringLiteral("picture-uri"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-options")), QStringLiteral("'centered'"));
    EXPECT_NE(first, second);
    ASSERT_EQ(desktop.apply(shown()), QString());
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-uri")), first);
}

TEST_F(GnomeDesktopTest, ClearingEmptiesThePictureAndRemovesTheCopies) {
    GnomeDesktop desktop(GnomeDesktop::Family::Gnome, runner);
    ASSERT_EQ(desktop.apply(shown()), QString());
    DesktopValues none;
    none.background = 0;
    ASSERT_EQ(desktop.apply(none), QString());
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-uri")), QStringLiteral("''"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("picture-options")), QStringLiteral("'none'"));
    EXPECT_EQ(runner.valueOf(QStringLiteral("primary-color")), QStringLiteral("'#000000'"));
    for (const QString& copy : ReloadAlias::aliasPaths(bitmap))
        EXPECT_FALSE(QFile::exists(copy));
}

TEST_F(GnomeDesktopTest, MateTakesAFileNameAndCinnamonHasNoDarkPicture) {
    runner.keys = {QStringLiteral("picture-filename"), QStringLiteral("picture-options")};
    GnomeDesktop mate(GnomeDesktop::Family::Mate, runner);
    ASSERT_EQ(mate.apply(shown()), QString());
    EXPECT_EQ(runner.commands[0].value(2), QStringLiteral("org.mate.background"));
    const QString file = runner.valueOf(QStringLiteral("picture-filename"));
    EXPECT_TRUE(file.startsWith(u'\'' + dir.path())) << file.toStdString();
    EXPECT_FALSE(runner.setKeys().contains(QStringLiteral("picture-uri")));

    RecordingRunner other;
    other.keys = {QStringLiteral("picture-uri")};
    GnomeDesktop cinnamon(GnomeDesktop::Family::Cinnamon, other);
    ASSERT_EQ(cinnamon.apply(shown()), QString());
    EXPECT_EQ(other.commands[1].value(2), QStringLiteral("org.cinnamon.desktop.background"));
    EXPECT_FALSE(other.setKeys().contains(QStringLiteral("picture-uri-dark")));
}

TEST_F(GnomeDesktopTest, AFailingCommandIsReportedNotPassedOff) {
    runner.failOn = QStringLiteral("picture-uri");
    GnomeDesktop desktop(GnomeDesktop::Family::Gnome, runner);
    const QString problem = desktop.apply(shown());
    EXPECT_TRUE(problem.contains(QStringLiteral("No such key"))) << problem.toStdString();

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
    const QByteArray savedBackend = qgetenv("GSETTINGS_BACKEND");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toLocal8Bit());
    const auto restore = qScopeGuard([&] {
        qputenv("GSETTINGS_BACKEND", savedBackend);
        qputenv("XDG_CONFIG_HOME", savedConfig);
    });
    const QStringList schemas =
        QString::fromUtf8(
            real.run(QStringLiteral("gsettings"), {QStringLiteral("list-schemas")}, 10000).output)
            .split(u'\n');
    if (!schemas.contains(QStringLiteral("org.gnome.desktop.background")))
        GTEST_SKIP() << "the GNOME desktop schemas are not installed";

    GnomeDesktop desktop(GnomeDesktop::Family::Gnome, real);
    ASSERT_EQ(desktop.apply(shown(true)), QString());
    const auto get = [&](const char* key) {
        return QString::fromUtf8(
                   real.run(QStringLiteral("gsettings"),
                            {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"),
                             QString::fromLatin1(key)},
                            10000)
                       .output)
            .trimmed();
    };
    EXPECT_EQ(get("picture-options"), QStringLiteral("'wallpaper'"));
    EXPECT_EQ(get("primary-color"), QStringLiteral("'#ff8000'"));
    EXPECT_EQ(get("color-shading-type"), QStringLiteral("'solid'"));
    const QString uri = get("picture-uri");
    EXPECT_TRUE(uri.startsWith(QStringLiteral("'file://"))) << uri.toStdString();
    ASSERT_EQ(desktop.apply(shown()), QString());
    EXPECT_NE(get("picture-uri"), uri);
}

TEST(X11Compose, ColourAroundTheCentredTiledOrStretchedBitmap) {
    QImage bitmap(4, 2, QImage::Format_RGB32);
    bitmap.fill(qRgb(9, 9, 9));
    DesktopValues values;
    const QRgb blue = qRgb(0, 0, 200);
    QImage centred = X11Desktop::composeScreen({10, 6}, values, bitmap, blue);
    EXPECT_EQ(centred.pixel(3, 2), qRgb(9, 9, 9));
    EXPECT_EQ(centred.pixel(6, 3), qRgb(9, 9, 9));
    EXPECT_EQ(centred.pixel(2, 2), blue);
    EXPECT_EQ(centred.pixel(3, 4), blue);
    // A bitmap larger than the screen is cut evenly on both sides.
    QImage big(14, 6, QImage::Format_RGB32);
    big.fill(qRgb(1, 2, 3));
    big.setPixel(2, 0, qRgb(7, 7, 7));
    EXPECT_EQ(X11Desktop::composeScreen({10, 6}, values, big, blue).pixel(0, 0), qRgb(7, 7, 7));

    values.tile = true;
    bitmap.setPixel(0, 0, qRgb(100, 0, 0));
    const QImage tiled = X11Desktop::composeScreen({10, 6}, values, bitmap, blue);
    EXPECT_EQ(tiled.pixel(0, 0), qRgb(100, 0, 0));
    EXPECT_EQ(tiled.pixel(8, 4), qRgb(100, 0, 0));
    values.tile = false;
    values.style = 2;
    const QImage stretched = X11Desktop::composeScreen({10, 6}, values, bitmap, blue);
    EXPECT_EQ(stretched.pixel(9, 5), qRgb(9, 9, 9));
}

} // namespace
