#include "engine/ProgramState.h"
#include "platform/Connectivity.h"
#include "tests/gui/test_life_helpers.h"

namespace {

class StartUpInternetTest : public LifeTest {};

TEST_F(StartUpInternetTest, TheStartNotesWhetherTheMachineIsOnline) {
    const struct {
        ConnectionState state;
        int32_t noted;
    } cases[] = {
        {ScriptedConnectivity::online(QStringLiteral("Wired")), 1},
        {ScriptedConnectivity::configured(QStringLiteral("Wired")), -1},
        {ScriptedConnectivity::offline(), 0},
    };
    ScriptedConnectivity connectivity;
    services().connectivity = &connectivity;
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        InternetState = 5;
        connectivity.states = {c.state};
        connectivity.queries = 0;
        ASSERT_TRUE(Main({QStringLiteral("-silent")}));
        EXPECT_EQ(InternetState, c.noted);
        EXPECT_EQ(ConnectionName, c.state.name);
        // Asked once, and never dialled.
        EXPECT_EQ(connectivity.queries, 1);
        EXPECT_TRUE(connectivity.dialled.isEmpty());
    }

    // A second copy hands over before it asks anything.
    TearDown();
    SetUp();
    connectivity.queries = 0;
    instance.running = true;
    EXPECT_FALSE(Main({QStringLiteral("-SILENT")}));
    EXPECT_EQ(connectivity.queries, 0);
}

} // namespace
