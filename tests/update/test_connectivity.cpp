#include "engine/Internet.h"
#include "engine/ProgramState.h"
#include "platform/Connectivity.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/update/UpdateWorld.h"
#include "update/frmBadConnection.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

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

} // namespace
