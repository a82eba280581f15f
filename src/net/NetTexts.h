#pragma once

// The texts the connection shows the operator, kept in one place.

#include <QByteArrayView>

namespace NetTexts {
inline constexpr QByteArrayView SocketSendError = "** socket send error **";
inline constexpr QByteArrayView SocketReadError = "** socket read error **";
} // namespace NetTexts
