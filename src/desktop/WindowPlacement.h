#pragma once

// Where a main window may go. A settings file may hold any position (another desktop's
// layout, a screen since unplugged, a garbled value), and so may a request from another
// copy: the window must still open, or move, where the operator can see and grab it.

#include "base/SettingsKeys.h"

#include <QList>
#include <QRect>

// The main window's place as the settings file keeps it (section WINDOW).
struct WindowGeometry {
    int left = SettingsKeys::WindowLeft.defaultNumber;
    int top = SettingsKeys::WindowTop.defaultNumber;
    int width = SettingsKeys::WindowWidth.defaultNumber;
    int height = SettingsKeys::WindowHeight.defaultNumber;
    bool sizeStored = false; // the file holds both WIDTH and HEIGHT
    bool operator==(const WindowGeometry&) const = default;
};

template <SettingsGroup<WindowGeometry> Geometry, typename Visit>
void visitKeys(Geometry& geometry, const Visit& visit) {
    visit(SettingsKeys::WindowLeft, geometry.left);
    visit(SettingsKeys::WindowTop, geometry.top);
    visit(SettingsKeys::WindowWidth, geometry.width);
    visit(SettingsKeys::WindowHeight, geometry.height);
}

class SettingsFile;

// The geometry as the file holds it, with whether it holds the size.
WindowGeometry storedGeometry(const SettingsFile& settings);

namespace WindowPlacement {

// The frame as stored when enough of its top edge lies on one of the screens' available
// areas to grab it; otherwise moved to the top-left of the first screen, and made to
// fit it. No screens: the frame as it is.
QRect keepOnScreens(const QRect& frame, const QList<QRect>& screens);

// As keepOnScreens, the size first brought within the largest screen's (at least one
// pixel each way): a frame of any numbers, however large or negative, becomes one the
// screens can show.
QRect fitToScreens(const QRect& frame, const QList<QRect>& screens);

// The width that shows this many terminal columns, given the width of one column and
// what the window needs around the terminal; never wider than the screen.
int widthForColumns(int columns, int columnWidth, int chrome, int screenWidth);

} // namespace WindowPlacement
