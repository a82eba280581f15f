#pragma once

// What the environment dialog decides apart from its widgets: the texts its serial
// up-downs show, the history-line rule applied when it closes, and the save of
// everything it holds, in the order the settings have always been written.

#include "environ/EnvironmentSettings.h"
#include "screen/FontSettings.h"
#include "settings/SettingsFile.h"

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

// Writes FONT, COLOR, RS232C, SAVER_OFF, SOUND_FILE_NAME, COL_BYTES, SCROLL_FILE_SELECT,
// LINK_CHECK, RECONNECT_SEC and HISTORY_LINES in this order. Stops at the first save
// that fails, which leaves its message in settings.lastError().
bool saveEnvironment(SettingsFile& settings, const FontSettings& font, int background,
                     const EnvironmentSettings& environment);

} // namespace EnvironmentRules
