#pragma once

// What the environment dialog decides apart from its widgets: the texts its serial
// up-downs show, the history-line rule applied when it closes, how a sound file is shown
// and where one is looked for, and the save of everything it holds, in the order the
// settings have always been written.

#include "environ/EnvironmentSettings.h"

#include <QStringList>

enum class Rs232cField { BaudRate, BitLen, StopLen, Parity, Flow };

namespace EnvironmentRules {

inline constexpr Rs232cField Rs232cFields[] = {Rs232cField::BaudRate, Rs232cField::BitLen,
                                               Rs232cField::StopLen, Rs232cField::Parity,
                                               Rs232cField::Flow};

// The field's key, whose range is the range of its index.
const SettingsKey& keyOf(Rs232cField field);
// What each index of the field stands for: "9600", "1.5", "CTS/RTS".
QStringList listTexts(Rs232cField field);
int& indexOf(Rs232cSettings& rs232c, Rs232cField field);

// The history-line count typed in the dialog as it is kept: 500 for anything but a
// number, else brought into the key's range.
int historyLinesFromText(const QString& text);
// "100 <= nn <=5000", the range historyLinesFromText keeps to.
QString historyRangeText();

// A sound file as its row shows it: the name after the last folder separator, '/' or
// a Windows path's '\' or ':'.
QString shownFileName(const QString& path);
// Where the sound file dialog opens: the desktop's sound folder (/usr/share/sounds), or
// the home folder on a system without one.
QString soundFolder();

// Writes FONT, COLOR, RS232C, SAVER_OFF, SOUND_FILE_NAME, COL_BYTES, SCROLL_FILE_SELECT,
// LINK_CHECK, RECONNECT_SEC and HISTORY_LINES in this order. Stops at the first save
// that fails, which leaves its message in settings.lastError().
bool saveEnvironment(SettingsFile& settings, const FontSettings& font, int background,
                     const EnvironmentSettings& environment);

} // namespace EnvironmentRules
