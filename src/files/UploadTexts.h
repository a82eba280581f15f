#pragma once

// The texts the file upload shows the operator, kept in one place.

#include <QLatin1StringView>

namespace UploadTexts {
inline constexpr QLatin1StringView SendFileMenuItem{"Send File"};
inline constexpr QLatin1StringView WindowCaption{" "};
inline constexpr QLatin1StringView OpenDialogTitle{"Send File "};
inline constexpr QLatin1StringView ContinueButton{"Continue"};
inline constexpr QLatin1StringView AbortButton{"Abort"};
inline constexpr QLatin1StringView UnableToOpen{"Unable to open "};
inline constexpr QLatin1StringView UnableToOpenUpload{"Unable to open UpLoad file "};
} // namespace UploadTexts
