#pragma once

// The main window's captions, status texts and questions, kept in one place.

#include <QLatin1StringView>

namespace AppTexts {
inline constexpr QLatin1StringView CaptionBase{"KESTREL <-> "};
inline constexpr QLatin1StringView Connect{"Connect"};
inline constexpr QLatin1StringView Discon{"Discon"};
inline constexpr QLatin1StringView End{"End"};
inline constexpr QLatin1StringView StillConnecting{"It is still connecting. Do you finish it? "};
inline constexpr QLatin1StringView LookingFor{"Looking for "};
inline constexpr QLatin1StringView Calling{"Calling "};
inline constexpr QLatin1StringView ConnectedTo{"Connected to "};
inline constexpr QLatin1StringView DisconnectedFrom{"DisConnected from "};

inline constexpr QLatin1StringView TtySheet{"TTY"}; // also the terminal's spoken name
inline constexpr QLatin1StringView ScopeSheet{"Scope"};
inline constexpr QLatin1StringView HistorySheet{"History"};
inline constexpr QLatin1StringView FileMenu{"&File  "};
inline constexpr QLatin1StringView ExitItem{"Exit (ALT + F4)"};
} // namespace AppTexts
