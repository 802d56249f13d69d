#include "engine/Internet.h"

#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "platform/Connectivity.h"
#include "platform/Services.h"

int16_t IsInternetConnected() {
    Connectivity* connectivity = services().connectivity;
    const ConnectionState state = connectivity ? connectivity->state() : ConnectionState{};
    ConnectionName = state.name;
    if (state.connected)
        return 1;
    return state.configured ? -1 : 0;
}

int32_t DialInternetConnection() {
    int32_t connection = 0;
    Connectivity* connectivity = services().connectivity;
    if (connectivity && connectivity->dial(ConnectionName, connection))
        return connection;
    programWindows().runBadConnectionNotice();
    if (IsInternetConnected() == 1) {
        InternetState = 1;
        return 0;
    }
    return -1;
}

void HangUpInternetConnection(int32_t& connection) {
    if (Connectivity* connectivity = services().connectivity)
        connectivity->hangUp(connection);
}
