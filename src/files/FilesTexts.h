#pragma once

// The texts of the session log's controls and dialogs, kept in one place.

#include <QLatin1StringView>

namespace FilesTexts {
inline constexpr QLatin1StringView LogStartButton{"LogStart"};
inline constexpr QLatin1StringView LogEndButton{"LogEnd"};
inline constexpr QLatin1StringView LogStartMenuItem{"Log Start"}; // until logging first starts
inline constexpr QLatin1StringView LogButtonHint{"Log start / stop"};
inline constexpr QLatin1StringView LogDialogTitle{"Log file name "};
// Description and pattern, in pairs.
inline constexpr QLatin1StringView LogFileFilter{"*.LOG|*.LOG|*.TXT|*.TXT|ALL|*.*"};
inline constexpr QLatin1StringView LogDefaultSuffix{".log"};
inline constexpr QLatin1StringView AlreadyExists{" is already exist."};
inline constexpr QLatin1StringView Add{"Add"};
inline constexpr QLatin1StringView OverWrite{"OverWrite"};
inline constexpr QLatin1StringView Cancel{"Cancel"};
inline constexpr QLatin1StringView CantCreate{"Can't create "};
inline constexpr QLatin1StringView StopLogging{"Stop logging. Are you sure? "};
} // namespace FilesTexts
