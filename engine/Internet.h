#pragma once

#include <cstdint>

// The machine's Internet connection, as the start and the update window ask
// for it (through the Connectivity service).

// 1 connected; -1 not connected, but a connection is configured; 0 neither.
// Notes the connection's name in ConnectionName.
int16_t IsInternetConnected();
// Dials the default connection. Returns its number when that worked;
// otherwise puts up the notice that asks the user to connect by other means
// and, once it has closed, returns 0 (and sets InternetState to 1) when the
// machine is online by then, else -1.
int32_t DialInternetConnection();
// Hangs a dialled connection up again; a number that is no connection (0)
// does nothing.
void HangUpInternetConnection(int32_t& connection);
