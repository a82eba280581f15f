#include "desktop/WindowPlacement.h"

#include "settings/SettingsFile.h"

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

WindowGeometry storedGeometry(const SettingsFile& settings) {
    WindowGeometry geometry = settings.load<WindowGeometry>();
    geometry.sizeStored = settings.holdsNumber(SettingsKeys::WindowWidth) &&
                          settings.holdsNumber(SettingsKeys::WindowHeight);
    return geometry;
}

namespace WindowPlacement {

QRect keepOnScreens(const QRect& frame, const QList<QRect>& screens) {
    if (screens.isEmpty() ||
        std::any_of(screens.begin(), screens.end(),
                    [&frame](const QRect& screen) { return grabbable(frame, screen); }))
        return frame;
    const QRect& first = screens.front();
    return QRect(first.topLeft(), frame.size().boundedTo(first.size()));
}

QRect fitToScreens(const QRect& frame, const QList<QRect>& screens) {
    QSize largest(1, 1);
    for (const QRect& screen : screens)
        largest = largest.expandedTo(screen.size());
    // Width and height from the corners as 64-bit numbers: QRect's own overflow.
    const qint64 width = qint64(frame.right()) - frame.left() + 1;
    const qint64 height = qint64(frame.bottom()) - frame.top() + 1;
    const QSize size(int(std::clamp<qint64>(width, 1, largest.width())),
                     int(std::clamp<qint64>(height, 1, largest.height())));
    return keepOnScreens(QRect(frame.topLeft(), size), screens);
}

int widthForColumns(int columns, int columnWidth, int chrome, int screenWidth) {
    return std::min(columns * columnWidth + chrome, screenWidth);
}

} // namespace WindowPlacement
