#pragma once

// The texts of the connect dialog, kept in one place.

#include <QLatin1StringView>

namespace ConnectTexts {
inline constexpr QLatin1StringView Caption{"Connect"};
inline constexpr QLatin1StringView ConnectButton{"Connect"};
inline constexpr QLatin1StringView CancelButton{"Cancel"};
inline constexpr QLatin1StringView SaveButton{"Save"};
inline constexpr QLatin1StringView NodeSheet{"Node"}; // followed by the node's number
inline constexpr QLatin1StringView Address{"Address "};
inline constexpr QLatin1StringView PortNo{"Port no. "};
inline constexpr QLatin1StringView Remarks{"Remarks "};
inline constexpr QLatin1StringView LocalEcho{"Local echo"};
inline constexpr QLatin1StringView SendCrLf{"Send CR = CR + LF "};
inline constexpr QLatin1StringView LinkGroup{" Rs232c Link "};
inline constexpr QLatin1StringView Active{"Active"};
inline constexpr QLatin1StringView ComPort{"COM Port "};
inline constexpr QLatin1StringView NoSheetInFront{
    "TfConnect PageControl1->ActivePage is out of range in TfConnect::bOkClick()"};
} // namespace ConnectTexts
