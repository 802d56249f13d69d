// The activation token a later start hands over: where this start's own
// token is read from, and how it is lent to the platform under Wayland.
// (Under X11 the running copy ends the startup notice: see tests/e2e.)

#include "platform/WindowActivation.h"

#include <gtest/gtest.h>

namespace {

const char* const kWayland = "XDG_ACTIVATION_TOKEN";
const char* const kX11 = "DESKTOP_STARTUP_ID";

struct CleanEnvironment {
    CleanEnvironment() { clear(); }
    ~CleanEnvironment() { clear(); }
    static void clear() {
        qunsetenv(kWayland);
        qunsetenv(kX11);
    }
};

TEST(WindowActivation, ThisStartsTokenIsWaylandsElseTheStartupNotice) {
    CleanEnvironment clean;
    EXPECT_TRUE(startActivationToken().isEmpty());
    qputenv(kX11, "menu-1_TIME5");
    EXPECT_EQ(startActivationToken(), QByteArray("menu-1_TIME5"));
    qputenv(kWayland, "wl-7");
    EXPECT_EQ(startActivationToken(), QByteArray("wl-7"));
}

TEST(WindowActivation, UnderWaylandTheTokenIsLentForTheNextActivationOnly) {
    CleanEnvironment clean;
    {
        const WindowActivation lent("wl-1", QStringLiteral("wayland"));
        EXPECT_EQ(qgetenv(kWayland), QByteArray("wl-1"));
    }
    // Not used: taken back, so that no later activation offers it.
    EXPECT_FALSE(qEnvironmentVariableIsSet(kWayland));

    {
        const WindowActivation lent("wl-2", QStringLiteral("wayland-egl"));
        EXPECT_EQ(qgetenv(kWayland), QByteArray("wl-2"));
        // The platform used it up, and something else set one since.
        qputenv(kWayland, "someone else's");
    }
    EXPECT_EQ(qgetenv(kWayland), QByteArray("someone else's"));
    qunsetenv(kWayland);

    // No token, or another platform: nothing is lent.
    for (const auto& [token, platform] :
         {std::pair{QByteArray(), QStringLiteral("wayland")},
          std::pair{QByteArray("x-1"), QStringLiteral("xcb")},
          std::pair{QByteArray("o-1"), QStringLiteral("offscreen")}}) {
        const WindowActivation lent(token, platform);
        EXPECT_FALSE(qEnvironmentVariableIsSet(kWayland)) << platform.toStdString();
    }
}

} // namespace
