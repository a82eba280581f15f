#pragma once

// The texts the shared window helpers show, kept in one place.

#include <QLatin1StringView>

namespace WidgetTexts {
// The caption of every message box and question.
inline constexpr QLatin1StringView BoxCaption{"KESTREL"};
} // namespace WidgetTexts
