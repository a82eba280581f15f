#pragma once

// The rig as the settings file keeps it (section RIG).

#include "base/SettingsKeys.h"

#include <QString>

#include <array>

// The serial speeds the rig sheet offers.
inline constexpr std::array<int, 6> RigSpeeds{4800, 9600, 19200, 38400, 57600, 115200};

struct RigSettings {
    int model = SettingsKeys::RigModel.defaultNumber; // Hamlib's model number, 0 no rig
    QString port = SettingsKeys::RigPort.defaultText.toString();
    int speed = SettingsKeys::RigSpeed.defaultNumber;
    bool setMode = SettingsKeys::RigSetMode.defaultOn(); // the mode a spot's remark names too
    bool debug = SettingsKeys::RigDebug.defaultOn();     // Hamlib's own debug output
    bool operator==(const RigSettings&) const = default;
};

template <SettingsGroup<RigSettings> Rig, typename Visit>
void visitKeys(Rig& rig, const Visit& visit) {
    visit(SettingsKeys::RigModel, rig.model);
    visit(SettingsKeys::RigPort, rig.port);
    visit(SettingsKeys::RigSpeed, rig.speed);
    visit(SettingsKeys::RigSetMode, rig.setMode);
    visit(SettingsKeys::RigDebug, rig.debug);
}
