#pragma once

// The texts of the desktop integration, kept in one place.

#include <QLatin1StringView>

namespace DesktopTexts {
inline constexpr QLatin1StringView ConnectDialogBusy{"Connect Dialog is used by other KESTREL.exe"};
inline constexpr QLatin1StringView EnvironDialogBusy{"Environ menu is used by other KESTREL.exe"};

inline constexpr QLatin1StringView CloneButton{"Clone"};
inline constexpr QLatin1StringView CloneHint{"One more KESTREL"};
inline constexpr QLatin1StringView WindowMenu{"&Window"};
inline constexpr QLatin1StringView CloneItem{"Clone ( one more )"};
inline constexpr QLatin1StringView VerticalAlignItem{"Virtical align"};
inline constexpr QLatin1StringView CascadeAlignItem{"Cascade align"};
inline constexpr QLatin1StringView TileAlignItem{"Tile align"};
// The about box, its button on the top bar and its item in the "&Help" menu.
inline constexpr QLatin1StringView AboutButton{"About"};
inline constexpr QLatin1StringView AboutItem{"About KESTREL"};
inline constexpr QLatin1StringView AboutName{"KESTREL  ver 1.06d"};
inline constexpr QLatin1StringView AboutLine{"Telnet client for Dx Cluster   "};
inline constexpr QLatin1StringView AboutOk{"OK"};
inline constexpr QLatin1StringView AboutGo{"GO"};
inline constexpr QLatin1StringView AboutGoHint{"Open the README"};
} // namespace DesktopTexts
