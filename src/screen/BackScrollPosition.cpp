#include "screen/BackScrollPosition.h"

#include "screen/ScreenBuffer.h"

#include <algorithm>
#include <utility>

BackScrollPosition::BackScrollPosition(ScreenBuffer& screen)
    : m_screen(screen) {}

int BackScrollPosition::viewIndexAt(int position, int currentIndex) {
    const int index = currentIndex - (MaxPosition - position);
    return index < 0 ? index + ScreenBuffer::LineCount : index;
}

void BackScrollPosition::startAtNewest() {
    scrollTo(MaxPosition);
}

void BackScrollPosition::scrollTo(int position) {
    m_screen.setViewIndex(
        viewIndexAt(std::clamp(position, 0, MaxPosition), m_screen.currentIndex()));
    remember();
}

void BackScrollPosition::remember() {
    m_distance = m_screen.ViewDistance();
    m_completedLines = m_screen.cursorAtEnd().nextLine;
}

std::optional<int> BackScrollPosition::follow() {
    const quint64 completed = m_screen.cursorAtEnd().nextLine;
    const quint64 arrived = completed - std::exchange(m_completedLines, completed);
    const int distance = m_screen.ViewDistance();
    if (distance > MaxDistance || quint64(m_distance) + arrived > quint64(MaxDistance))
        return std::nullopt;
    m_distance = distance;
    return std::max(0, MaxPosition - distance);
}
