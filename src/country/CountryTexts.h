#pragma once

// The captions of the "Station" sheet and what the program tells the operator about the
// country file and the log, kept in one place.

#include <QLatin1StringView>

namespace CountryTexts {
inline constexpr QLatin1StringView Sheet{"Station"};
inline constexpr QLatin1StringView OwnCall{"My call"};
inline constexpr QLatin1StringView Locator{"My locator"};
inline constexpr QLatin1StringView LocatorHint{
    "Maidenhead locator, 4 or 6 characters: JN58 or JN58td"};
inline constexpr QLatin1StringView LocatorInvalid{"not a locator"};
inline constexpr QLatin1StringView LogFile{"ADIF log"};
inline constexpr QLatin1StringView LogFileHint{"the log your logging program exports (.adi)"};
inline constexpr QLatin1StringView ChooseLog{"Choose..."};
inline constexpr QLatin1StringView LogFilter{"ADIF logs (*.adi *.adif *.ADI);;All files (*)"};
inline constexpr QLatin1StringView CountryFile{"Country file"};
inline constexpr QLatin1StringView NewOneColor{"New one colour..."};
inline constexpr QLatin1StringView NewBandColor{"New band colour..."};
inline constexpr QLatin1StringView AlertNewOne{"alert on a new one"};
inline constexpr QLatin1StringView AlertNewBand{"alert on a new band"};
inline constexpr QLatin1StringView SpotterContinents{"Spotters on"};
inline constexpr QLatin1StringView HideWorked{"hide stations worked on the band"};

// %1 and %2: the places looked in.
inline constexpr QLatin1StringView NoCountryFile{"No country file: looked for %1 and %2"};
inline constexpr QLatin1StringView CountryFileVersion{"%1 (%2)"}; // version, path
inline constexpr QLatin1StringView CountryFilePassedOver{"Country file not usable: %1"};
inline constexpr QLatin1StringView CountryLinesSkipped{
    "Country file %1: %2 lines could not be read"};
inline constexpr QLatin1StringView LogNotRead{"ADIF log could not be read: %1"};
inline constexpr QLatin1StringView LogLoaded{"ADIF log: %1 QSOs, %2 entities"};
inline constexpr QLatin1StringView LogSkipped{"ADIF log: %1 QSOs, %2 entities, %3 records skipped"};
} // namespace CountryTexts
