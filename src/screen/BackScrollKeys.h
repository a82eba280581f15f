#pragma once

// What the back-scroll view does with a key, a menu item or a turn of the mouse wheel,
// given whether the terminal sheet is in front and whether the view is shown; and the
// sizes it pages and resizes by. No widgets here: BackScrollPanel carries the steps out.

#include <QtCore/qnamespace.h>

struct BackScrollState {
    bool terminalInFront = false;
    bool shown = false;
    int halfPage = 0; // lines one page key or wheel notch moves the view
};

enum class BackScrollAction {
    None,
    Open,
    Close,
    Scroll,                  // by lines, positive towards the newest line
    ScrollThenCloseAtNewest, // as Scroll, and close when the newest line is reached
    Shrink,                  // one line lower
    Grow,                    // one line higher
};

struct BackScrollStep {
    BackScrollAction action = BackScrollAction::None;
    int lines = 0;
    bool consumed = false; // the key or wheel turn goes no further

    friend bool operator==(const BackScrollStep&, const BackScrollStep&) = default;
};

// PageUp opens the view or pages it up, PageDown pages it down, Esc closes it and
// Ctrl+Up / Ctrl+Down make it a line lower or higher. Any other key is not ours.
BackScrollStep BackScrollKeys(int key, Qt::KeyboardModifiers modifiers,
                              const BackScrollState& state);

// A wheel turn over the page control: away from the operator opens the view or pages
// it up; towards the operator pages it down and closes it at the newest line.
BackScrollStep BackScrollWheel(int delta, bool overPages, const BackScrollState& state);

namespace BackScrollSize {
// Room kept below the history sheet's search bar, so that bar's height plus this is the
// lowest the view gets, and the most the view leaves of the page control.
inline constexpr int HeightMargin = 32;
// The search bar's height until the main window tells the real one.
inline constexpr int DefaultSearchBarHeight = 30;

int halfPage(int panelHeight, int lineHeight);
int heightFloor(int searchBarHeight);
// The floor wins over the ceiling in a window too low for both.
int clampHeight(int height, int pagesHeight, int searchBarHeight);
} // namespace BackScrollSize
