#pragma once

// The texts of the terminal views and of the scroll-buffer file, kept in one place.

#include <QLatin1StringView>

namespace ScreenTexts {
// What a screen reader calls the terminal: the caption of its sheet.
inline constexpr QLatin1StringView TerminalName{"TTY"};

// The back-scroll view: its button, up-down, menu and spoken name.
inline constexpr QLatin1StringView BackButton{"Back"};
inline constexpr QLatin1StringView BackScrollHint{"Back scroll view"}; // also the image's name
inline constexpr QLatin1StringView ResizeHint{"Resize back scroll view"};
inline constexpr QLatin1StringView BackScrollMenu{"&BackScroll"};
inline constexpr QLatin1StringView ViewItem{"View (PageUp)"};
inline constexpr QLatin1StringView HideItem{"Hide  (ESC)"};
inline constexpr QLatin1StringView HigherItem{"Height++ (CTRL + DownAllow)"};
inline constexpr QLatin1StringView LowerItem{"Height-- (CTRL + UpAllow)"};

// The scroll-buffer file.
// Put into the terminal after the scroll-buffer file is loaded, to set the old lines apart.
inline constexpr QLatin1StringView AfterRestoredLines{"\n\n\n"};
// Each followed by the file's path.
inline constexpr QLatin1StringView ScrollFileBadHeader{"read error  "};
inline constexpr QLatin1StringView ScrollFileCut{"Read error "};
inline constexpr QLatin1StringView ScrollFileNotCreated{"Unable to create "};
inline constexpr QLatin1StringView ScrollFileNotWritten{"save error  "};

// The "History" sheet. What a screen reader calls its memo: the caption of the sheet.
inline constexpr QLatin1StringView HistoryName{"History"};
inline constexpr QLatin1StringView RefreshCaption{"Refresh"};
inline constexpr QLatin1StringView RefreshHint{"Refresh history"};
inline constexpr QLatin1StringView FindTextName{"Search text"};
inline constexpr QLatin1StringView NextCaption{"Next"};
inline constexpr QLatin1StringView PrevCaption{"Prev"};
inline constexpr QLatin1StringView FindCaption{"Find"};
inline constexpr QLatin1StringView TowardLastHint{"It searches toward the last of a history."};
inline constexpr QLatin1StringView TowardHeadHint{"It searches toward the head of a history."};
inline constexpr QLatin1StringView IgnoreCaseCaption{"Ignore Upper/Lower "};
} // namespace ScreenTexts
