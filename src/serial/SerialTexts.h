#pragma once

// The texts the serial relay shows the operator, kept in one place.

#include <QLatin1StringView>

namespace SerialTexts {
// Followed by the device that could not be opened.
inline constexpr QLatin1StringView UnableToOpen{"Unable to open Rs232c  "};
inline constexpr QLatin1StringView SetUpConnectionError{"RS232C SetUpConnection error"};
} // namespace SerialTexts
