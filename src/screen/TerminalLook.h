#pragma once

// The terminal's look as the environment dialog changes it: the font (with its colour
// and charset) and the background, for every view that shows the node's text.

#include "screen/FontSettings.h"

#include <QColor>

class TerminalLook {
public:
    virtual ~TerminalLook() = default;
    virtual FontSettings terminalFont() const = 0;
    virtual void setTerminalFont(const FontSettings& font) = 0;
    virtual QColor background() const = 0;
    virtual void setBackground(const QColor& color) = 0;
};
