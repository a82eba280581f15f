#pragma once

// The texts the serial relay shows the operator, kept in one place.

#include <QLatin1StringView>
#include <QString>

namespace SerialTexts {
// Followed by the device that could not be opened.
inline constexpr QLatin1StringView UnableToOpen{"Unable to open Rs232c  "};
inline constexpr QLatin1StringView SetUpConnectionError{"RS232C SetUpConnection error"};
// The status bar while the node is held back for a slow port, and once bytes were lost.
inline constexpr QLatin1StringView HoldingNode{"RS232C: the node waits for the port"};
inline const QString BytesLost =
    QStringLiteral("RS232C: %1 bytes lost (the port took nothing for 2 s)");
} // namespace SerialTexts
