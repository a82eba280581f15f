#pragma once

// Ties the back-scroll view to the screen buffer: the scroll bar's position (0 to 4899,
// the maximum at the newest line) sets the buffer's view index, the slot on the view's
// bottom row. As lines arrive the viewed lines fall back and the position follows them,
// until they are more than 4900 lines behind and the ring is about to overwrite them.
// Lines are counted as they complete, so a flood that wraps the ring is noticed too.
//
// GUI thread, like the text put into the buffer.

#include <QtGlobal>

#include <optional>

class ScreenBuffer;

class BackScrollPosition {
public:
    static constexpr int MaxPosition = 4899;
    static constexpr int MaxDistance = 4900;

    explicit BackScrollPosition(ScreenBuffer& screen);

    static int viewIndexAt(int position, int currentIndex);

    // The view ends at the newest line, the position at its maximum.
    void startAtNewest();
    void scrollTo(int position);
    // After lines arrived: the position that keeps the same lines in view, or nothing
    // once they fell too far behind.
    std::optional<int> follow();

private:
    void remember();

    ScreenBuffer& m_screen;
    int m_distance = 0;
    quint64 m_completedLines = 0;
};
