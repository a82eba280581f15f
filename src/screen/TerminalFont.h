#pragma once

// The terminal font and colours as the settings file describes them (Windows font
// attributes and 0x00BBGGRR colours), and back. A font family this system lacks, such as
// "Terminal", becomes the system's fixed-pitch font.

#include "screen/FontSettings.h"

#include <QColor>
#include <QFont>

QFont terminalFont(const FontSettings& settings);
// The font as the terminal draws it.
QFont asTerminalFont(QFont font);
// A font the operator picked, as the settings keep it; what a font does not tell (its
// charset, its text colour) stays as in kept.
FontSettings fontSettingsOf(const QFont& font, FontSettings kept);
QColor colorFromWindows(int bgr);
int colorToWindows(const QColor& color);
