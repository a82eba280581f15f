#pragma once

// The watch list as the settings file keeps it (section WATCH): the patterns as typed,
// separated by blanks, and the alert's sound.

#include "base/SettingsKeys.h"

#include <QString>

struct WatchSettings {
    QString calls = SettingsKeys::WatchCalls.defaultText.toString();
    QString sound = SettingsKeys::WatchSound.defaultText.toString();
    bool soundOn = SettingsKeys::WatchSoundOn.defaultOn();
    bool operator==(const WatchSettings&) const = default;
};

template <SettingsGroup<WatchSettings> Watch, typename Visit>
void visitKeys(Watch& watch, const Visit& visit) {
    visit(SettingsKeys::WatchCalls, watch.calls);
    visit(SettingsKeys::WatchSound, watch.sound);
    visit(SettingsKeys::WatchSoundOn, watch.soundOn);
}
