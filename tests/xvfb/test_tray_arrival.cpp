#include "gui/Tray.h"
#include "gui/forms/FormKit.h"
#include "tests/common/RerunTest.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/platform/PrivateBus.h"
#include "tests/xvfb/RootWindowProbe.h"
#include "tests/xvfb/XEmbedTrayStandIn.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QMenu>
#include <QMutex>
#include <QStyleHints>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The watcher of a StatusNotifierItem tray, with a host: it notes the items
// that register.
class WatcherStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registered)
public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList registered() const {
        QMutexLocker lock(&mutex_);
        return items_;
    }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        QMutexLocker lock(&mutex_);
        items_ << service;
    }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    mutable QMutex mutex_;
    QStringList items_;
};

// A tray of the watcher's kind, up until the object goes.
struct StatusNotifierTray {
    explicit StatusNotifierTray(const QString& bus)
        : served(bus, QStringLiteral("org.kde.StatusNotifierWatcher"),
                 QStringLiteral("/StatusNotifierWatcher"), &watcher,
                 QDBusConnection::ExportAllProperties | QDBusConnection::ExportAllSlots) {}
    WatcherStandIn watcher;
    ServedObject served;
};

// Skips unless the test can run again on the X display.
#define RUN_AGAIN_ON_X11(environment)                                                              \
    if (!isRerun()) {                                                                              \
        if (!RootWindowProbe().connected())                                                        \
            GTEST_SKIP() << "no X display";                                                        \
        const RerunResult again = rerunThisTest({}, environment);                                  \
        if (again.skipped)                                                                         \
            GTEST_SKIP() << again.output.toStdString();                                            \
        EXPECT_TRUE(again.passed) << again.output.toStdString();                                   \
        return;                                                                                    \
    }

TEST(TrayArrival, AStatusNotifierTrayThatComesLateGetsTheIconAndADoubleClickIsOneNext) {
    // The session bus of the run on X11, where the tray will come.
    std::unique_ptr<PrivateBus> bus;
    if (!isRerun()) {
        bus = std::make_unique<PrivateBus>();
        if (bus->address().isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
    }
    RUN_AGAIN_ON_X11((QMap<QString, QString>{
        {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
        {QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus ? bus->address() : QString()}}));
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    QList<int32_t> codes;
    QMenu menu;
    SystemTray tray;
    EXPECT_FALSE(tray.add(programIcon(), QStringLiteral("Tapestrel"), &menu, 1025,
                          [&](int32_t, int32_t, int32_t code) { codes << code; }));
    waitFor([] { return false; }, 300);
    EXPECT_FALSE(tray.isShown());

    auto panel = std::make_unique<StatusNotifierTray>(address);
    ASSERT_TRUE(panel->served.ok());
    ASSERT_TRUE(waitFor([&] { return !panel->watcher.registered().isEmpty(); }))
        << "the icon never came to the tray that came late";
    EXPECT_TRUE(tray.isShown());

    // Clicks as the tray reports them, each an activation of the item.
    QDBusConnection clicker = QDBusConnection::connectToBus(address, QStringLiteral("clicker"));
    const QString item = panel->watcher.registered().constLast();
    const auto activate = [&] {
        QDBusMessage m = QDBusMessage::createMethodCall(
            item.contains(u'/') ? item.section(u'/', 0, 0) : item,
            QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
            QStringLiteral("Activate"));
        m << 0 << 0;
        clicker.send(m);
    };
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    activate();
    activate(); // the second click of one double click
    ASSERT_TRUE(waitFor([&] { return !codes.isEmpty(); }));
    waitFor([] { return false; }, interval + 200);
    EXPECT_EQ(codes, QList<int32_t>{traymsg::LeftDoubleClick});
    activate(); // a double click of its own, later
    ASSERT_TRUE(waitFor([&] { return codes.size() == 2; }));
    EXPECT_EQ(codes, (QList<int32_t>{traymsg::LeftDoubleClick, traymsg::LeftDoubleClick}));

    // The panel restarts: the new tray knows nothing of the icon until it
    // registers again.
    panel.reset();
    panel = std::make_unique<StatusNotifierTray>(address);
    ASSERT_TRUE(panel->served.ok());
    EXPECT_TRUE(waitFor([&] { return !panel->watcher.registered().isEmpty(); }))
        << "the icon did not come back to the restarted tray";
    QDBusConnection::disconnectFromBus(QStringLiteral("clicker"));
}

TEST(TrayArrival, AnXEmbedTrayThatComesLateOrRestartsGetsTheIconOnItsOwnBackground) {
    // No session bus: XEmbed trays only.
    RUN_AGAIN_ON_X11((QMap<QString, QString>{
        {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
        {QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent")}}));
    QMenu menu;
    SystemTray tray;
    EXPECT_FALSE(tray.add(programIcon(), QStringLiteral("Tapestrel"), &menu, 1025,
                          [](int32_t, int32_t, int32_t) {}));

    waitFor([] { return false; }, 2 * SystemTray::kXEmbedPollMs);

    // Where the icon's own picture is clear, the tray's background shows.
    const QImage picture = programIcon().pixmap(22, 22).toImage();
    QPoint clear(-1, -1);
    for (int y = 0; y < picture.height() && clear.x() < 0; ++y)
        for (int x = 0; x < picture.width() && clear.x() < 0; ++x)
            if (qAlpha(picture.pixel(x, y)) == 0)
                clear = QPoint(x, y);
    ASSERT_GE(clear.x(), 0) << "the icon has no clear pixel to look through";
    {
        XEmbedTrayStandIn panel(true);
        ASSERT_TRUE(panel.problem().isEmpty()) << panel.problem().toStdString();
        ASSERT_TRUE(waitFor([&] { return !panel.dockRequests().isEmpty(); }))
            << "the icon never came to the tray that came late";
        const unsigned long icon = panel.dockRequests().constLast();
        if (!panel.offersArgbVisual())
            GTEST_SKIP() << "the X server has no 32-bit visual to offer";
        EXPECT_EQ(panel.depthOf(icon), 32);
        // Drawn once the icon's own picture shows in the middle.
        const QRgb middle = picture.pixel(picture.width() / 2, picture.height() / 2);
        ASSERT_GT(qAlpha(middle), 0);
        QImage content;
        ASSERT_TRUE(waitFor([&] {
            content = panel.contentOf(icon);
            return !content.isNull() && content.pixel(content.width() / 2, content.height() / 2) !=
                                            0xff000000u + XEmbedTrayStandIn::kBackground;
        })) << "the icon was never drawn";
        waitFor([] { return false; }, 300);
        content = panel.contentOf(icon);
        EXPECT_EQ(qAlpha(content.pixel(clear)), 0)
            << "the icon sits on a square of its own: " << std::hex << content.pixel(clear);
    }
    // The tray went with its panel; a new one comes, without a visual of
    // its own to offer.
    {
        XEmbedTrayStandIn panel(false);
        ASSERT_TRUE(panel.problem().isEmpty()) << panel.problem().toStdString();
        ASSERT_TRUE(waitFor([&] { return !panel.dockRequests().isEmpty(); }))
            << "the icon did not come back to the restarted tray";
        const unsigned long icon = panel.dockRequests().constLast();
        EXPECT_EQ(panel.depthOf(icon), 24);
        // Without alpha, the panel's own colour shows through the clear
        // part once the icon is drawn.
        QImage content;
        EXPECT_TRUE(waitFor([&] {
            content = panel.contentOf(icon);
            return !content.isNull() &&
                   qRgb(qRed(content.pixel(clear)), qGreen(content.pixel(clear)),
                        qBlue(content.pixel(clear))) ==
                       0xff000000u + XEmbedTrayStandIn::kBackground &&
                   content.pixel(content.width() / 2, content.height() / 2) !=
                       0xff000000u + XEmbedTrayStandIn::kBackground;
        })) << "the icon sits on a square of its own";
    }
}

} // namespace

#include "test_tray_arrival.moc"
