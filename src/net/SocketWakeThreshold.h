#pragma once

// How many received bytes a TCP socket must hold before the event loop hears of them.
// Raised while a node streams, the loop wakes once per batch instead of once per line;
// a closed or failed connection is still heard at once. Where the system cannot do
// this, setting it does nothing and the socket wakes the loop for every arrival.

#include <QtGlobal>

namespace SocketWakeThreshold {

// False where the threshold could not be set (the socket wakes for every byte then).
bool set(qintptr descriptor, int bytes);

} // namespace SocketWakeThreshold
