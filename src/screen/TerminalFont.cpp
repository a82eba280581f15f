#include "screen/TerminalFont.h"

#include <QFontDatabase>

QFont terminalFont(const FontSettings& settings) {
    QFont font = QFontDatabase::families().contains(settings.name)
                     ? QFont(settings.name)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // The point size decides; a height in pixels serves when the size is unusable.
    if (settings.size > 0)
        font.setPointSize(settings.size);
    else if (settings.height != 0)
        font.setPixelSize(std::abs(settings.height));
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    if (settings.pitch == 2)
        font.setFixedPitch(true);
    return font;
}

QColor colorFromWindows(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
