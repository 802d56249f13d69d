#include "engine/Internet.h"
#include "engine/ProgramState.h"
#include "platform/Connectivity.h"
#include "tests/common/RerunTest.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/update/UpdateWorld.h"
#include "update/frmBadConnection.h"
#include "update/frmupdate.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>
#include <iostream>
#include <unistd.h>

namespace {

TEST(ConnectivityFallback, ReadsTheDefaultRoutesOfTheKernel) {
    const QByteArray v4 =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
        "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
        "wlan0\t0000A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
        "tun0\t00000000\t00000000\t0200\t0\t0\t0\t00000000\t0\t0\t0\n";
    const QByteArray v6 =
        "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
        "fd000000000000000000000000000001 00000400 00000002 00000000 00000003     wg0\n"
        "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
        "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n"
        "fe800000000000000000000000000000 40 00000000000000000000000000000000 00 "
        "00000000000000000000000000000000 00000100 00000002 00000000 00000001     eth1\n";
    EXPECT_EQ(interfacesWithDefaultRoute(v4, v6),
              (QSet<QString>{QStringLiteral("eth0"), QStringLiteral("wg0")}));
    EXPECT_TRUE(interfacesWithDefaultRoute({}, {}).isEmpty());
}

TEST(ConnectivityFallback, AnUpInterfaceWithARouteIsConnectedWithoutOneConfigured) {
    const InterfaceInfo lo{QStringLiteral("lo"), QStringLiteral("lo"), true, true};
    const InterfaceInfo eth{QStringLiteral("eth0"), QStringLiteral("Wired"), true, false};
    const InterfaceInfo down{QStringLiteral("wlan0"), QStringLiteral("Wireless"), false, false};
    const QSet<QString> ethRoute{QStringLiteral("eth0")};
    const QSet<QString> loRoute{QStringLiteral("lo")};
    const struct {
        QList<InterfaceInfo> interfaces;
        QSet<QString> routes;
        bool connected;
        bool configured;
        const char* name;
    } cases[] = {
        {{lo, eth}, ethRoute, true, false, "Wired"},
        {{lo, eth}, {}, false, true, "Wired"},
        {{lo}, loRoute, false, false, ""},
        {{lo, down}, {QStringLiteral("wlan0")}, false, false, ""},
        {{}, {}, false, false, ""},
    };
    for (const auto& c : cases) {
        const ConnectionState s = stateFromInterfaces(c.interfaces, c.routes);
        EXPECT_EQ(s.connected, c.connected);
        EXPECT_EQ(s.configured, c.configured);
        EXPECT_EQ(s.name, QString::fromLatin1(c.name));
    }
}

TEST(SystemConnectivity, AnswersAtOnceAndDialsOnlyWhenOnline) {
    SystemConnectivity connectivity;
    QElapsedTimer clock;
    clock.start();
    const ConnectionState first = connectivity.state();
    for (int n = 0; n < 20; ++n)
        connectivity.state();
    // Loading the backend and twenty answers take far less than a second.
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(first.connected && first.configured);
    int32_t number = -5;
    EXPECT_EQ(connectivity.dial(QString(), number), connectivity.state().connected);
    EXPECT_EQ(number, 0);
    connectivity.hangUp(number);
}

class InternetTest : public ::testing::Test {
protected:
    UpdateWorld world;
    ScriptedConnectivity& connectivity = world.connectivity;
    ModalAnswerer answers;
};

TEST_F(InternetTest, TheStateIsOneMinusOneOrZeroAndNotesTheConnectionsName) {
    connectivity.states = {ScriptedConnectivity::online(QStringLiteral("Wired")),
                           ScriptedConnectivity::configured(QStringLiteral("Wireless")),
                           ScriptedConnectivity::offline()};
    EXPECT_EQ(IsInternetConnected(), 1);
    EXPECT_EQ(ConnectionName, QStringLiteral("Wired"));
    EXPECT_EQ(IsInternetConnected(), -1);
    EXPECT_EQ(ConnectionName, QStringLiteral("Wireless"));
    EXPECT_EQ(IsInternetConnected(), 0);
    EXPECT_EQ(ConnectionName, QString());

    services().connectivity = nullptr;
    EXPECT_EQ(IsInternetConnected(), 0);
}

TEST_F(InternetTest, ASuccessfulDialReturnsItsNumberWithoutTheNotice) {
    connectivity.dialSucceeds = true;
    connectivity.dialNumber = 77;
    connectivity.states = {ScriptedConnectivity::configured(QStringLiteral("Wired"))};
    IsInternetConnected();
    EXPECT_EQ(DialInternetConnection(), 77);
    EXPECT_EQ(connectivity.dialled, QStringList{QStringLiteral("Wired")});
    EXPECT_EQ(world.windows.notices, 0);

    int32_t zero = 0;
    HangUpInternetConnection(zero);
    EXPECT_EQ(connectivity.hungUp, QList<int32_t>{0});
}

TEST_F(InternetTest, TheNoticeClosesByItselfWhenTheMachineComesOnlineAtTheThirdPoll) {
    connectivity.states = {ScriptedConnectivity::offline(), ScriptedConnectivity::offline(),
                           ScriptedConnectivity::online()};
    InternetState = -1;
    QStringList texts;
    answers.next<frmBadConnection>([&](frmBadConnection* notice) {
        texts << notice->Label1->text() << notice->Label2->text();
        texts << notice->cmdOK->text() << notice->cmdCancel->text();
        // Opened centred on the screen.
        const QRect frame = notice->frameGeometry();
        EXPECT_EQ(frame.left(), (1024 - frame.width()) / 2);
        EXPECT_EQ(frame.top(), (768 - frame.height()) / 2);
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(DialInternetConnection(), 0);
    EXPECT_EQ(InternetState, 1);
    EXPECT_EQ(world.windows.notices, 1);
    // Three polls by the notice, one look afterwards.
    EXPECT_EQ(connectivity.queries, 4);
    // The polls are spaced by the timer, not spun.
    EXPECT_GE(clock.elapsed(), 2 * frmBadConnection::kPollIntervalMs - 50);
    EXPECT_EQ(
        texts,
        (QStringList{
            QStringLiteral("An error has occurred while dialing your default internet connection."),
            QStringLiteral("To complete this operation, please connect your computer to "
                           "the internet and click the OK button."),
            QStringLiteral("OK"), QStringLiteral("Cancel")}));
}

TEST_F(InternetTest, EitherButtonOrTheCloseBoxEndsTheWaitAndTheStateThenDecides) {
    enum class How { OK, Cancel, CloseBox };
    const struct {
        How how;
        bool onlineByThen;
        int32_t result;
        int32_t state;
    } cases[] = {
        {How::Cancel, false, -1, -1}, {How::OK, false, -1, -1},  {How::CloseBox, false, -1, -1},
        {How::OK, true, 0, 1},        {How::Cancel, true, 0, 1},
    };
    for (const auto& c : cases) {
        connectivity.states = {ScriptedConnectivity::configured()};
        connectivity.queries = 0;
        InternetState = -1;
        answers.next<frmBadConnection>([&](frmBadConnection* notice) {
            // A while of waiting first: the notice polls and stays up.
            waitFor([] { return false; }, 3 * frmBadConnection::kPollIntervalMs);
            EXPECT_TRUE(notice->isVisible());
            if (c.onlineByThen)
                connectivity.states = {ScriptedConnectivity::online()};
            if (c.how == How::OK)
                clickButton(notice->cmdOK);
            else if (c.how == How::Cancel)
                clickButton(notice->cmdCancel);
            else
                notice->close();
        });
        EXPECT_EQ(DialInternetConnection(), c.result);
        EXPECT_EQ(InternetState, c.state);
        // About one poll for each interval waited, never a spin.
        EXPECT_LE(connectivity.queries, 8);
    }
}

// A network of the test's own: a network namespace that this test runs in
// again (under unshare), with a veth pair whose one end gets the routes.
// Outside, the test starts itself in there and reports what it found.
class NetworkNamespaceTest : public ::testing::Test {
protected:
    // Runs this very test in a new network namespace; false when it could
    // not be made (the reason in `why`).
    static bool runInside(QString& why) {
        if (::geteuid() != 0) {
            why = QStringLiteral("making a network namespace needs root");
            return false;
        }
        if (QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("ip")).isEmpty()) {
            why = QStringLiteral("unshare or ip is not installed");
            return false;
        }
        if (QProcess::execute(QStringLiteral("unshare"),
                              {QStringLiteral("-n"), QStringLiteral("true")}) != 0) {
            why = QStringLiteral("unshare -n fails here (no right to make namespaces)");
            return false;
        }
        const RerunResult inside =
            rerunThisTest({QStringLiteral("unshare"), QStringLiteral("-n")}, {});
        if (inside.skipped) {
            why = QStringLiteral("inside the namespace: ") + inside.output;
            return false;
        }
        EXPECT_TRUE(inside.passed) << inside.output.toStdString();
        return true;
    }

    static bool ip(const QString& arguments) {
        return QProcess::execute(QStringLiteral("ip"), arguments.split(u' ')) == 0;
    }

    // lo up; tpv0 up with an address and its peer up, so it has a carrier;
    // no default route yet.
    static bool makeNetwork() {
        return ip(QStringLiteral("link set lo up")) &&
               ip(QStringLiteral("link add tpv0 type veth peer name tpv1")) &&
               ip(QStringLiteral("link set tpv1 up")) && ip(QStringLiteral("link set tpv0 up")) &&
               ip(QStringLiteral("addr add 10.77.0.2/24 dev tpv0")) &&
               ip(QStringLiteral("-6 addr add fd00:77::2/64 dev tpv0 nodad"));
    }
};

// Within the time the notice takes between two looks at the connection.
constexpr int kFollowMs = frmBadConnection::kPollIntervalMs;

bool followsWithin(Connectivity& c, bool connected) {
    return waitFor([&] { return c.state().connected == connected; }, kFollowMs);
}

TEST_F(NetworkNamespaceTest, TheRealConnectionFollowsDefaultRoutesThatComeAndGo) {
    if (!isRerun()) {
        QString why;
        if (!runInside(why))
            GTEST_SKIP() << why.toStdString();
        return;
    }
    if (!makeNetwork())
        GTEST_SKIP() << "no veth pair could be made in the namespace";
    SystemConnectivity connectivity;
    std::cout << "network information backend: \"" << connectivity.backendName().toStdString()
              << "\"\n";
    // The peer's carrier takes a moment to show.
    ASSERT_TRUE(waitFor([&] { return connectivity.state().configured; }));
    EXPECT_FALSE(connectivity.state().connected);

    const struct {
        const char* add;
        const char* remove;
    } routes[] = {
        {"route add default via 10.77.0.1 dev tpv0", "route del default via 10.77.0.1 dev tpv0"},
        {"-6 route add default via fd00:77::1 dev tpv0",
         "-6 route del default via fd00:77::1 dev tpv0"},
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& r : routes) {
            SCOPED_TRACE(r.add);
            ASSERT_TRUE(ip(QString::fromLatin1(r.add)));
            EXPECT_TRUE(followsWithin(connectivity, true));
            EXPECT_EQ(IsInternetConnected(), 0) << "no connectivity service installed";
            ASSERT_TRUE(ip(QString::fromLatin1(r.remove)));
            EXPECT_TRUE(followsWithin(connectivity, false));
            EXPECT_TRUE(connectivity.state().configured);
        }
    }
    // An interface that goes down takes its route with it.
    ASSERT_TRUE(ip(QStringLiteral("route add default via 10.77.0.1 dev tpv0")));
    EXPECT_TRUE(followsWithin(connectivity, true));
    ASSERT_TRUE(ip(QStringLiteral("link set tpv0 down")));
    EXPECT_TRUE(followsWithin(connectivity, false));
    // Its peer loses the carrier with it: nothing is set up any more.
    EXPECT_TRUE(waitFor([&] { return !connectivity.state().configured; }));
}

TEST_F(NetworkNamespaceTest, TheNoticeClosesByItselfAndOKCountsOnceTheMachineIsOnline) {
    if (!isRerun()) {
        QString why;
        if (!runInside(why))
            GTEST_SKIP() << why.toStdString();
        return;
    }
    if (!makeNetwork())
        GTEST_SKIP() << "no veth pair could be made in the namespace";
    UpdateWorld world;
    SystemConnectivity connectivity;
    services().connectivity = &connectivity;
    ASSERT_TRUE(waitFor([&] { return connectivity.state().configured; }));
    // The program noted the state at its start, offline.
    InternetState = IsInternetConnected();
    ASSERT_EQ(InternetState, -1);

    // The machine comes online while the notice waits: it closes by itself.
    ModalAnswerer answers;
    QElapsedTimer clock;
    qint64 onlineAt = 0;
    answers.next<frmBadConnection>([&](frmBadConnection* notice) {
        waitFor([] { return false; }, 3 * frmBadConnection::kPollIntervalMs);
        EXPECT_TRUE(notice->isVisible());
        ip(QStringLiteral("route add default via 10.77.0.1 dev tpv0"));
        onlineAt = clock.elapsed();
    });
    clock.start();
    EXPECT_EQ(DialInternetConnection(), -1 + 1); // 0: connected by other means
    EXPECT_EQ(InternetState, 1);
    EXPECT_LE(clock.elapsed() - onlineAt, 2 * frmBadConnection::kPollIntervalMs + 200);

    // Offline again, then online, and OK pressed: the wait counts as done.
    ASSERT_TRUE(ip(QStringLiteral("route del default via 10.77.0.1 dev tpv0")));
    ASSERT_EQ(IsInternetConnected(), -1);
    InternetState = -1;
    answers.next<frmBadConnection>([&](frmBadConnection* notice) {
        ip(QStringLiteral("-6 route add default via fd00:77::1 dev tpv0"));
        clickButton(notice->cmdOK);
    });
    EXPECT_EQ(DialInternetConnection(), 0);
    EXPECT_EQ(InternetState, 1);

    // And the update window gets past the dial to the server.
    ASSERT_TRUE(ip(QStringLiteral("-6 route del default via fd00:77::1 dev tpv0")));
    InternetState = IsInternetConnected();
    world.server.serve(
        frmupdate::kRecordPath,
        LocalHttpServer::body("Tapestrel|00.00.01|Orlevane|x|5|https://h/s.run|end"));
    answers.next<frmBadConnection>(
        [&](frmBadConnection*) { ip(QStringLiteral("route add default via 10.77.0.1 dev tpv0")); });
    frmupdate window;
    window.UpdateMode = 3;
    window.show();
    clickButton(window.cmdContinue);
    EXPECT_TRUE(waitFor([&] { return window.currentPage() == 6; }));
    EXPECT_EQ(world.server.requests, QStringList{frmupdate::kRecordPath});
}

} // namespace
