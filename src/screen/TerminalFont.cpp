#include "screen/TerminalFont.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>
#include <cstdlib>

namespace {
// PITCH: 0 the font's own, 1 variable, 2 fixed.
constexpr int VariablePitch = 1;
constexpr int FixedPitch = 2;
} // namespace

QFont terminalFont(const FontSettings& settings) {
    QFont font = QFontDatabase::families().contains(settings.name)
                     ? QFont(settings.name)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // The point size decides; a height in pixels serves when the size is unusable. Both
    // are kept in their ranges, whatever their source, so the size is never absurd.
    const int size = SettingsKeys::FontSize.bounded(settings.size);
    const int height = SettingsKeys::FontHeight.bounded(settings.height);
    if (size > 0)
        font.setPointSize(size);
    else if (height != 0)
        font.setPixelSize(std::abs(height));
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    if (settings.pitch == FixedPitch)
        font.setFixedPitch(true);
    return asTerminalFont(font);
}

QFont asTerminalFont(QFont font) {
    // Node text is drawn without the typographic shaping Latin script does not need
    // (scripts that need it are still shaped): each new line costs far less to lay out.
    font.setStyleStrategy(QFont::PreferNoShaping);
    // Characters a whole number of pixels wide, as on every terminal: columns of spots
    // line up on whole pixels, and a row can be put together from character cells.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

FontSettings fontSettingsOf(const QFont& font, FontSettings kept) {
    const QFontInfo shown(font);
    kept.name = font.family();
    kept.size = SettingsKeys::FontSize.bounded(std::max(font.pointSize(), 0));
    kept.height = -SettingsKeys::FontHeight.bounded(shown.pixelSize());
    kept.pitch = shown.fixedPitch() ? FixedPitch : VariablePitch;
    kept.bold = font.bold();
    kept.italic = font.italic();
    return kept;
}

QColor colorFromWindows(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int colorToWindows(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
