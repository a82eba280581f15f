#pragma once

// The texts of rig control: the status panel's and the Rig sheet's, kept in one place.

#include <QLatin1StringView>

namespace RigTexts {
// %1 the frequency in kHz with three decimals.
inline constexpr QLatin1StringView FrequencyStatus{"Rig: %1 kHz"};
// %1 the port, %2 Hamlib's error.
inline constexpr QLatin1StringView CannotOpen{"Rig: cannot open %1: %2"};
// %1 the port, %2 Hamlib's error: an open rig stopped answering.
inline constexpr QLatin1StringView NoAnswer{"Rig: no answer from %1: %2"};
// %1 the frequency in kHz, %2 Hamlib's error.
inline constexpr QLatin1StringView CannotTune{"Rig: cannot tune to %1 kHz: %2"};
inline constexpr QLatin1StringView UnknownModel{"Rig: Hamlib has no rig model %1"};
inline constexpr QLatin1StringView NoHamlib{"Rig: Hamlib (libhamlib4) is not installed"};

inline constexpr QLatin1StringView Sheet{"Rig"};
inline constexpr QLatin1StringView NoModel{"None"};
inline constexpr QLatin1StringView ModelCaption{"Rig &model:"};
inline constexpr QLatin1StringView FilterCaption{"&Find model:"};
inline constexpr QLatin1StringView FilterHint{"Shows only the models whose name holds this text"};
inline constexpr QLatin1StringView PortCaption{"&Port:"};
inline constexpr QLatin1StringView PortHint{
    "A serial device such as /dev/ttyUSB0. A networked rig or rigctld is model "
    "\"Hamlib NET rigctl\" with host:port, such as localhost:4532."};
inline constexpr QLatin1StringView SpeedCaption{"&Speed:"};
inline constexpr QLatin1StringView SetModeCaption{"Set the mode &from the spot's remark"};
inline constexpr QLatin1StringView StatusName{"Rig status"};
} // namespace RigTexts
