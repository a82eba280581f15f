#include "app/WindowPlacement.h"

#include <algorithm>

namespace {

// A strip of the title bar this large is enough to drag the window back.
constexpr int GrabWidth = 64;
constexpr int GrabHeight = 16;

bool grabbable(const QRect& frame, const QRect& screen) {
    const QRect titleBar(frame.left(), frame.top(), frame.width(), GrabHeight);
    const QRect visible = titleBar.intersected(screen);
    return visible.width() >= std::min(GrabWidth, frame.width()) &&
           visible.height() >= std::min(GrabHeight, frame.height());
}

} // namespace

namespace WindowPlacement {

QRect keepOnScreens(const QRect& frame, const QList<QRect>& screens) {
    if (screens.isEmpty() ||
        std::any_of(screens.begin(), screens.end(),
                    [&frame](const QRect& screen) { return grabbable(frame, screen); }))
        return frame;
    const QRect& first = screens.front();
    return QRect(first.topLeft(), frame.size().boundedTo(first.size()));
}

int widthForColumns(int columns, int columnWidth, int chrome, int screenWidth) {
    return std::min(columns * columnWidth + chrome, screenWidth);
}

} // namespace WindowPlacement
