#pragma once

// How many bytes the system still holds for a TCP socket: written by the program but not
// yet taken by the peer. Against a node that stops reading, the system's send buffer
// takes megabytes before a write would wait; counting them lets a sender pace itself
// to what the node really takes. Where the system cannot tell, it is 0.

#include <QtGlobal>

namespace SocketSendQueue {

qint64 bytes(qintptr descriptor);

} // namespace SocketSendQueue
