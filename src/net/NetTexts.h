#pragma once

// The texts the connection shows the operator, kept in one place.

#include <QLatin1StringView>

namespace NetTexts {
inline constexpr QLatin1StringView SocketSendError{"** socket send error **"};
inline constexpr QLatin1StringView SocketReadError{"** socket read error **"};

// Banners put on the terminal, and the notices sent to the serial relay.
inline constexpr QLatin1StringView SocketErrorBanner{"******** Socket error *********\n"};
inline constexpr QLatin1StringView DisconnectedBanner{"******** Disconnected *********\n"};
inline constexpr QLatin1StringView SocketErrorNotice{"******** Socket error *********\r\n"};
inline constexpr QLatin1StringView DisconnectedNotice{"******** Disconnected *********\r\n"};

// Why a connection could not be started (ConErrStr).
inline constexpr QLatin1StringView AlreadyConnected{"** Alerady connected **"};
inline constexpr QLatin1StringView NoAddress{"** Please input Address **"};
inline constexpr QLatin1StringView NoPort{"** Please input port no. **"};
inline constexpr QLatin1StringView PortNotNumeric{"** Port no. is not numeric **"};
inline constexpr QLatin1StringView ConnectionError{"** connection error **"};
inline constexpr QLatin1StringView UnknownCode{"case erro in ConErrStr()"};

inline constexpr QLatin1StringView NodeOutOfRangeInSetLastNode{
    "node no. is out of range in SetLastNode(int node) "};
inline constexpr QLatin1StringView NodeOutOfRangeInSetLastScript{
    "node no. is out of range in SetLastScript(int node) "};
} // namespace NetTexts
