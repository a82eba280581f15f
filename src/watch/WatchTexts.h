#pragma once

// The captions of the "Watch" sheet and the texts of a watch alert, kept in one place.

#include <QLatin1StringView>

namespace WatchTexts {
inline constexpr QLatin1StringView Sheet{"Watch"};
inline constexpr QLatin1StringView Calls{"Watched calls"};
inline constexpr QLatin1StringView CallsHint{"one call per line: XX9ZZ, 3Y0* or */MM"};
inline constexpr QLatin1StringView SoundFile{"Sound file"};
inline constexpr QLatin1StringView PlaySound{"play a sound"};

inline constexpr QLatin1StringView AppName{"Kestrel"};
inline constexpr QLatin1StringView Spotted{"Kestrel: %1 spotted"}; // %1 the call
} // namespace WatchTexts
