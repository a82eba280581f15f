#pragma once

// The texts the connection shows the operator, kept in one place.

#include <QByteArrayView>
#include <QString>

namespace NetTexts {
inline constexpr QByteArrayView SocketSendError = "** socket send error **";
inline constexpr QByteArrayView SocketReadError = "** socket read error **";

// Banners put on the terminal, and the notices sent to the serial relay.
inline constexpr QByteArrayView SocketErrorBanner = "******** Socket error *********\n";
inline constexpr QByteArrayView DisconnectedBanner = "******** Disconnected *********\n";
inline constexpr QByteArrayView SocketErrorNotice = "******** Socket error *********\r\n";
inline constexpr QByteArrayView DisconnectedNotice = "******** Disconnected *********\r\n";

// Why a connection could not be started (ConErrStr).
inline constexpr const char* AlreadyConnected = "** Alerady connected **";
inline constexpr const char* NoAddress = "** Please input Address **";
inline constexpr const char* NoPort = "** Please input port no. **";
inline constexpr const char* PortNotNumeric = "** Port no. is not numeric **";
inline constexpr const char* ConnectionError = "** connection error **";
inline constexpr const char* UnknownCode = "case erro in ConErrStr()";

inline constexpr const char* NodeOutOfRangeInSetLastNode =
    "node no. is out of range in SetLastNode(int node) ";
inline constexpr const char* NodeOutOfRangeInSetLastScript =
    "node no. is out of range in SetLastScript(int node) ";
} // namespace NetTexts
