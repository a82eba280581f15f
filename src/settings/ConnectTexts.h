#pragma once

// The texts of the connect dialog, kept in one place.

namespace ConnectTexts {
inline constexpr const char* Caption = "Connect";
inline constexpr const char* NoSheetInFront =
    "TfConnect PageControl1->ActivePage is out of range in TfConnect::bOkClick()";
} // namespace ConnectTexts
