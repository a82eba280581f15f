#pragma once

// The texts of automatic reconnection and its dialog, kept in one place. (The messages
// for an out-of-range node number in SetLastNode and SetLastScript are in NetTexts.)

#include <QLatin1StringView>

namespace ReconnectTexts {
inline constexpr QLatin1StringView DialogCaption{"Reconnect"};
inline constexpr QLatin1StringView InitialLabel{"Automatic reconnect  "};
inline constexpr QLatin1StringView TryToReconnect{"Try to reconnect -> "};
inline constexpr QLatin1StringView Abort{"ABORT"};
inline constexpr QLatin1StringView ActionOutOfRange{
    "LastConnAction is out of range in TfReconn::Action() "};

// The main window's check box.
inline constexpr QLatin1StringView CheckBoxCaption{"Reconnect"};
inline constexpr QLatin1StringView CheckBoxHint{"Automatic reconnect enable"};
} // namespace ReconnectTexts
