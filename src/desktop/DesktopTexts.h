#pragma once

// The texts of the desktop integration, kept in one place.

namespace DesktopTexts {
inline constexpr const char* ConnectDialogBusy = "Connect Dialog is used by other KESTREL.exe";
inline constexpr const char* EnvironDialogBusy = "Environ menu is used by other KESTREL.exe";
} // namespace DesktopTexts
