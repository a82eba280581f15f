#pragma once

// The settings the environment dialog edits, as the running program holds them. They
// are loaded at start-up; the parts that use them read them from here.

#include "settings/SettingsFile.h"

struct EnvironmentSettings {
    Rs232cSettings rs232c;
    bool saverOff = false;
    int historyLines = SettingsFile::DefaultHistoryLines;
    SoundSettings sounds;
    int colBytes = SettingsFile::DefaultColBytes;
    int scrollFileSelect = 0;
    int linkCheckMinutes = 0;
    int reconnectSec = SettingsFile::DefaultReconnectSec;
};
