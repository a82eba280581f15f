#pragma once

// What the environment dialog needs of the program around it: the terminal font and
// background, which belong to the main window, and the actions behind its buttons and
// values that take effect at once.

#include "desktop/WindowPlacement.h"
#include "screen/TerminalFont.h"

#include <QColor>

class EnvironmentHost {
public:
    virtual ~EnvironmentHost() = default;

    virtual FontSettings terminalFont() const = 0;
    virtual void setTerminalFont(const FontSettings& font) = 0;
    virtual QColor background() const = 0;
    virtual void setBackground(const QColor& color) = 0;
    virtual WindowGeometry windowGeometry() const = 0;

    virtual void setLineWidth(int colBytes) = 0;
    virtual void setHistoryLines(int lines) = 0;
    virtual void setLinkCheckMinutes(int minutes) = 0; // arms the check afresh
    virtual void setSerialCrLf(bool on) = 0;           // the relay's CR to CR LF, at once
    virtual void clearScreen() = 0;

    virtual void editScript(int index) = 0; // function key index 0 to 11
    virtual void showScriptExample() = 0;
    virtual void playSound(int index) = 0; // 0 connect, 1 disconnect, 2 to 4 the strings
};
