#pragma once

// The terminal font and colours as the settings file describes them (Windows font
// attributes and 0x00BBGGRR colours). A font family this system lacks, such as
// "Terminal", becomes the system's fixed-pitch font.

#include "settings/SettingsFile.h"

#include <QColor>
#include <QFont>

QFont terminalFont(const FontSettings& settings);
QColor colorFromWindows(int bgr);
