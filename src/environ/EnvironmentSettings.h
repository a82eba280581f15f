#pragma once

// The settings the environment dialog edits, as the running program holds them. They
// are loaded at start-up; the parts that use them read them from here. Their keys, in
// the order the dialog saves them (after the terminal's font and background).

#include "desktop/SoundSettings.h"
#include "serial/SerialSettings.h"

struct EnvironmentSettings {
    Rs232cSettings rs232c;
    bool saverOff = SettingsKeys::SaverOff.defaultOn();
    int historyLines = SettingsKeys::HistoryLines.defaultNumber;
    SoundSettings sounds;
    int colBytes = SettingsKeys::ColBytes.defaultNumber;
    int scrollFileSelect = SettingsKeys::ScrollFileSelect.defaultNumber;
    int linkCheckMinutes = SettingsKeys::LinkCheck.defaultNumber;
    int reconnectSec = SettingsKeys::ReconnectSec.defaultNumber;
    bool operator==(const EnvironmentSettings&) const = default;
};

template <SettingsGroup<EnvironmentSettings> Environment, typename Visit>
void visitKeys(Environment& environment, const Visit& visit) {
    visitKeys(environment.rs232c, visit);
    visit(SettingsKeys::SaverOff, environment.saverOff);
    visitKeys(environment.sounds, visit);
    visit(SettingsKeys::ColBytes, environment.colBytes);
    visit(SettingsKeys::ScrollFileSelect, environment.scrollFileSelect);
    visit(SettingsKeys::LinkCheck, environment.linkCheckMinutes);
    visit(SettingsKeys::ReconnectSec, environment.reconnectSec);
    visit(SettingsKeys::HistoryLines, environment.historyLines);
}
