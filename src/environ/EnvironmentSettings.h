#pragma once

// The settings the environment dialog edits, as the running program holds them. They
// are loaded at start-up; the parts that use them read them from here.

#include "settings/SettingsFile.h"

struct EnvironmentSettings {
    Rs232cSettings rs232c;
    bool saverOff = SettingsKeys::SaverOff.defaultOn();
    int historyLines = SettingsKeys::HistoryLines.defaultNumber;
    SoundSettings sounds;
    int colBytes = SettingsKeys::ColBytes.defaultNumber;
    int scrollFileSelect = SettingsKeys::ScrollFileSelect.defaultNumber;
    int linkCheckMinutes = SettingsKeys::LinkCheck.defaultNumber;
    int reconnectSec = SettingsKeys::ReconnectSec.defaultNumber;
};
