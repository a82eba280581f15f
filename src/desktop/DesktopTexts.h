#pragma once

// The texts of the desktop integration, kept in one place.

#include <QLatin1StringView>

namespace DesktopTexts {
inline constexpr QLatin1StringView BoxCaption{"KESTREL"};
inline constexpr QLatin1StringView ConnectDialogBusy{"Connect Dialog is used by other KESTREL.exe"};
inline constexpr QLatin1StringView EnvironDialogBusy{"Environ menu is used by other KESTREL.exe"};

inline constexpr QLatin1StringView CloneButton{"Clone"};
inline constexpr QLatin1StringView CloneHint{"One more KESTREL"};
inline constexpr QLatin1StringView WindowMenu{"&Window"};
inline constexpr QLatin1StringView CloneItem{"Clone ( one more )"};
inline constexpr QLatin1StringView VerticalAlignItem{"Virtical align"};
inline constexpr QLatin1StringView CascadeAlignItem{"Cascade align"};
inline constexpr QLatin1StringView TileAlignItem{"Tile align"};
} // namespace DesktopTexts
