#pragma once

// The event sounds as the settings file keeps them (section SOUND_FILE_NAME): the files
// played on connect, on disconnect and on the three trigger strings, and the strings.

#include "base/SettingsKeys.h"

#include <QString>

#include <array>

struct SoundSettings {
    // By sound index: 0 connect, 1 disconnect, 2 to 4 trigger strings 1 to 3.
    std::array<QString, 5> files;
    std::array<QString, 3> strings;
    bool operator==(const SoundSettings&) const = default;
};

template <SettingsGroup<SoundSettings> Sounds, typename Visit>
void visitKeys(Sounds& sounds, const Visit& visit) {
    visit(SettingsKeys::SoundOnConnect, sounds.files[0]);
    visit(SettingsKeys::SoundOnDisconnect, sounds.files[1]);
    for (int i = 0; i < SettingsKeys::SoundFile.count; ++i)
        visit(SettingsKeys::SoundFile, sounds.files[size_t(i) + 2], i);
    for (int i = 0; i < SettingsKeys::SoundString.count; ++i)
        visit(SettingsKeys::SoundString, sounds.strings[size_t(i)], i);
}
