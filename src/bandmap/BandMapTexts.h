#pragma once

// The band map's captions and the words it shows.

#include <QLatin1StringView>

namespace BandMapTexts {
inline constexpr QLatin1StringView Sheet{"Band map"};
inline constexpr QLatin1StringView BandCaption{"Band"};
inline constexpr QLatin1StringView FollowCaption{"follow"};
inline constexpr QLatin1StringView FollowHint{"Keep the rig's frequency in view"};
inline constexpr QLatin1StringView PanBar{"Frequency shown"};
inline constexpr QLatin1StringView SpottedBy{"Spotted by %1 at %2 UTC"};
} // namespace BandMapTexts
