#pragma once

// The texts the send box, the talk and DX report windows show the operator, kept in one
// place.

#include <QLatin1StringView>

namespace SendTexts {
inline constexpr QLatin1StringView SendTextSheet{"Send text"};
inline constexpr QLatin1StringView DxReportSheet{"Send DX report"};
inline constexpr QLatin1StringView TalkSheet{"Talk"};
inline constexpr QLatin1StringView DxLabel{" DX "};
inline constexpr QLatin1StringView TalkLabel{"TALK"};
inline constexpr QLatin1StringView FreqHint{"Freq"};
inline constexpr QLatin1StringView DxCallsignHint{"dx callsign"};
inline constexpr QLatin1StringView RemarksHint{"Remarks"};
inline constexpr QLatin1StringView CallsignHint{"Callsign"};
inline constexpr QLatin1StringView CommentHint{"Comment"};

inline constexpr QLatin1StringView PleaseInputCallsign{"Please input Callsign"};
inline constexpr QLatin1StringView PleaseInputComment{"Please input Comment"};
inline constexpr QLatin1StringView PleaseInputFreq{"Please input Freq"};
inline constexpr QLatin1StringView PleaseInputDxCallsign{"Please input dx callsign"};
inline constexpr QLatin1StringView CantCreateKeyHistory{"Can't create key history file"};
} // namespace SendTexts
