#pragma once

// The operating mode a spot's remark names ("CW", "FT8 -12dB", "SSB"...), for tuning
// the rig to the spot in that mode too.

#include <QByteArrayView>

#include <optional>

enum class RigMode { Cw, Usb, Lsb, Data, Rtty, Am, Fm }; // Data: digital modes on USB

// The first mode word of the remark, case-insensitive, standing alone between blanks or
// punctuation; SSB is USB at 10 MHz and above, LSB below. Nothing when no word names one.
std::optional<RigMode> modeFromRemark(QByteArrayView remark, qint64 hz);
