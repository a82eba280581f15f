#pragma once

// The operator's own station and what the lists make of spots with it, as the settings
// file keeps it (section STATION, which earlier versions pass over): the call and
// Maidenhead locator, the ADIF log that says what was worked, the colours and alerts of
// a new one and a new band, and the filters every list applies.

#include "base/SettingsKeys.h"

#include <QString>

struct StationSettings {
    QString call = SettingsKeys::StationCall.defaultText.toString();
    QString locator = SettingsKeys::StationLocator.defaultText.toString();
    QString logFile = SettingsKeys::StationLogFile.defaultText.toString();
    int newOneColor = SettingsKeys::StationNewOneColor.defaultNumber;   // 0x00BBGGRR
    int newBandColor = SettingsKeys::StationNewBandColor.defaultNumber; // 0x00BBGGRR
    bool alertNewOne = SettingsKeys::StationAlertNewOne.defaultOn();
    bool alertNewBand = SettingsKeys::StationAlertNewBand.defaultOn();
    // Continents as the country file names them, separated by blanks; empty for all.
    QString spotterContinents = SettingsKeys::StationSpotterContinents.defaultText.toString();
    bool hideWorked = SettingsKeys::StationHideWorked.defaultOn();
    bool operator==(const StationSettings&) const = default;
};

template <SettingsGroup<StationSettings> Station, typename Visit>
void visitKeys(Station& station, const Visit& visit) {
    visit(SettingsKeys::StationCall, station.call);
    visit(SettingsKeys::StationLocator, station.locator);
    visit(SettingsKeys::StationLogFile, station.logFile);
    visit(SettingsKeys::StationNewOneColor, station.newOneColor);
    visit(SettingsKeys::StationNewBandColor, station.newBandColor);
    visit(SettingsKeys::StationAlertNewOne, station.alertNewOne);
    visit(SettingsKeys::StationAlertNewBand, station.alertNewBand);
    visit(SettingsKeys::StationSpotterContinents, station.spotterContinents);
    visit(SettingsKeys::StationHideWorked, station.hideWorked);
}
