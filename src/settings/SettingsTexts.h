#pragma once

// The texts the settings file shows the operator, kept in one place.

#include <QLatin1StringView>

namespace SettingsTexts {
inline constexpr QLatin1StringView UnableToWrite{"Unable to write %1"}; // %1 the full path
} // namespace SettingsTexts
