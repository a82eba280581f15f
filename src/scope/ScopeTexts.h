#pragma once

// The texts the band scope and its filter window show or speak to the operator, kept in
// one place. The band captions themselves stand in the band plan (DxSpot.h).

#include <QLatin1StringView>

namespace ScopeTexts {
// The scope's tool bar.
inline constexpr QLatin1StringView LifeTimeHint{"Life time (minutes)"};
inline constexpr QLatin1StringView FilterCaption{"Filter"};
inline constexpr QLatin1StringView FilterHint{"Scope Filter"};
inline constexpr QLatin1StringView LowerHint{"Lower"};
inline constexpr QLatin1StringView HigherHint{"Higher"};
inline constexpr QLatin1StringView AllClearCaption{"ALL Clear"};
inline constexpr QLatin1StringView ClearQuestion{"Clear scope.  Sure? "};
inline constexpr QLatin1StringView FocusCaption{"Focus to new report"};
inline constexpr QLatin1StringView LockCaption{"Lock"};

// The tabs of the lists, and the names a screen reader gives the lists.
inline constexpr QLatin1StringView AllTabCaption{"All"};
inline constexpr QLatin1StringView AllListName{"All spots"};
inline constexpr QLatin1StringView BandListName{"%1 MHz spots"}; // %1 the tab caption
// A tab caption ending so names a band open upwards: "144 above " is spoken
// "144 MHz and above spots".
inline constexpr QLatin1StringView OpenBandTabEnd{" above"};
inline constexpr QLatin1StringView OpenBandListName{"%1 MHz and above spots"};
// What a screen reader adds to a marked row.
inline constexpr QLatin1StringView WatchedSpotDescription{"on the watch list"};
inline constexpr QLatin1StringView TunedSpotDescription{"the rig is tuned here"};
inline constexpr QLatin1StringView NewOneDescription{"new one"};
inline constexpr QLatin1StringView NewBandDescription{"new band"};
inline constexpr QLatin1StringView WorkedDescription{"worked"};

// The band filter window.
inline constexpr QLatin1StringView FilterTitle{"Filter for AllTab"};
inline constexpr QLatin1StringView AllBandsCaption{"ALL"};
inline constexpr QLatin1StringView AllBandsHint{"All Bands"};
inline constexpr QLatin1StringView WarcCaption{"WARC"};
inline constexpr QLatin1StringView WarcHint{"WARC Bands"};
inline constexpr QLatin1StringView LowCaption{"LOW"};
inline constexpr QLatin1StringView LowHint{"LOW Bands"};
inline constexpr QLatin1StringView HighCaption{"HIGH"};
inline constexpr QLatin1StringView HighHint{"Hight Bands"};
} // namespace ScopeTexts
