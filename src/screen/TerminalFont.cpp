#include "screen/TerminalFont.h"

#include <QFontDatabase>

#include <cstdlib>

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
    if (settings.pitch == 2)
        font.setFixedPitch(true);
    return font;
}

QColor colorFromWindows(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
