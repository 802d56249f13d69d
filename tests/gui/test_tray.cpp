#include "gui/Tray.h"
#include "tests/platform/PrivateBus.h"

#include <QDBusConnection>
#include <QObject>
#include <atomic>
#include <gtest/gtest.h>

namespace {

// The watcher a StatusNotifierItem host registers with.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
public:
    bool hostRegistered() const { return host; }
    std::atomic<bool> host = true;
};

} // namespace

TEST(Tray, APlainActivationCountsAsADoubleClickOnlyWhereThereIsNoOther) {
    using R = QSystemTrayIcon::ActivationReason;
    const struct {
        R reason;
        TrayHost host;
        int32_t code;
    } cases[] = {
        {R::Trigger, TrayHost::StatusNotifier, traymsg::LeftDoubleClick},
        {R::Trigger, TrayHost::XEmbed, traymsg::LeftButtonUp},
        {R::DoubleClick, TrayHost::XEmbed, traymsg::LeftDoubleClick},
        {R::Context, TrayHost::StatusNotifier, traymsg::RightButtonUp},
        {R::Context, TrayHost::XEmbed, traymsg::RightButtonUp},
        {R::MiddleClick, TrayHost::StatusNotifier, traymsg::MiddleButtonUp},
        {R::Unknown, TrayHost::StatusNotifier, traymsg::LeftButtonUp},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trayMouseCode(c.reason, c.host), c.code)
            << int(c.reason) << " on " << int(c.host);
}

TEST(Tray, ADoubleClickOnAStatusNotifierTrayIsOneDoubleClick) {
    using R = QSystemTrayIcon::ActivationReason;
    constexpr int32_t next = traymsg::LeftDoubleClick;
    const struct {
        const char* name;
        TrayHost host;
        QList<QPair<R, qint64>> activations; // reason, at ms
        QList<int32_t> codes;
    } cases[] = {
        {"the two clicks of a double click",
         TrayHost::StatusNotifier,
         {{R::Trigger, 1000}, {R::Trigger, 1200}},
         {next, 0}},
        {"two double clicks",
         TrayHost::StatusNotifier,
         {{R::Trigger, 1000}, {R::Trigger, 1100}, {R::Trigger, 2000}, {R::Trigger, 2050}},
         {next, 0, next, 0}},
        {"clicks further apart than the interval",
         TrayHost::StatusNotifier,
         {{R::Trigger, 1000}, {R::Trigger, 1401}, {R::Trigger, 1802}},
         {next, next, next}},
        {"a third click right after a double click",
         TrayHost::StatusNotifier,
         {{R::Trigger, 1000}, {R::Trigger, 1100}, {R::Trigger, 1200}},
         {next, 0, next}},
        {"the menu between",
         TrayHost::StatusNotifier,
         {{R::Trigger, 1000}, {R::Context, 1100}, {R::Trigger, 1200}},
         {next, traymsg::RightButtonUp, next}},
        {"an XEmbed tray reports its own double clicks",
         TrayHost::XEmbed,
         {{R::Trigger, 1000}, {R::DoubleClick, 1100}, {R::Trigger, 1150}},
         {traymsg::LeftButtonUp, next, traymsg::LeftButtonUp}},
    };
    for (const auto& c : cases) {
        TrayActivations activations(400);
        QList<int32_t> codes;
        for (const auto& [reason, at] : c.activations)
            codes << activations.codeFor(reason, c.host, at);
        EXPECT_EQ(codes, c.codes) << c.name;
    }
}

TEST(Tray, AStatusNotifierHostIsFoundThroughItsWatcher) {
    PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QDBusConnection client = QDBusConnection::connectToBus(bus.address(), QStringLiteral("tray"));
    ASSERT_TRUE(client.isConnected());
    EXPECT_EQ(trayHostOn(client), TrayHost::XEmbed);
    {
        FakeWatcher watcher;
        const ServedObject served(bus.address(), QStringLiteral("org.kde.StatusNotifierWatcher"),
                                  QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                  QDBusConnection::ExportAllProperties);
        ASSERT_TRUE(served.ok());
        EXPECT_EQ(trayHostOn(client), TrayHost::StatusNotifier);
        // A watcher without a host to show the icon: Qt uses the XEmbed tray.
        watcher.host = false;
        EXPECT_EQ(trayHostOn(client), TrayHost::XEmbed);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("tray"));
    EXPECT_EQ(trayHostOn(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                       QStringLiteral("none"))),
              TrayHost::XEmbed);
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

#include "test_tray.moc"
