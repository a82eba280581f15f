#pragma once

// The texts of the desktop integration, kept in one place.

#include <QLatin1StringView>

namespace DesktopTexts {
inline constexpr QLatin1StringView BoxCaption{"KESTREL"};
inline constexpr QLatin1StringView ConnectDialogBusy{"Connect Dialog is used by other KESTREL.exe"};
inline constexpr QLatin1StringView EnvironDialogBusy{"Environ menu is used by other KESTREL.exe"};
} // namespace DesktopTexts
