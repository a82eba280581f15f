#pragma once

// The texts of the terminal views, kept in one place.

#include <QLatin1StringView>

namespace ScreenTexts {
// What a screen reader calls the terminal: the caption of its sheet.
inline constexpr QLatin1StringView TerminalName{"TTY"};
} // namespace ScreenTexts
