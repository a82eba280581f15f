#include "screen/BackScrollKeys.h"

#include <algorithm>

namespace {

BackScrollStep consumed(BackScrollAction action, int lines = 0) {
    return {action, lines, true};
}

} // namespace

BackScrollStep BackScrollKeys(int key, Qt::KeyboardModifiers modifiers,
                              const BackScrollState& state) {
    const bool onTerminal = state.terminalInFront;
    const bool shown = state.shown;
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_PageUp:
        if (onTerminal)
            return shown ? consumed(BackScrollAction::Scroll, -state.halfPage)
                         : consumed(BackScrollAction::Open);
        break;
    case Qt::Key_PageDown:
        if (onTerminal && shown)
            return consumed(BackScrollAction::Scroll, state.halfPage);
        break;
    case Qt::Key_Escape:
        if (onTerminal && shown)
            return consumed(BackScrollAction::Close);
        break;
    case Qt::Key_Up:
        if (control && shown)
            return consumed(BackScrollAction::Shrink);
        break;
    case Qt::Key_Down:
        if (control && shown)
            return consumed(BackScrollAction::Grow);
        break;
    default:
        break;
    }
    return {};
}

BackScrollStep BackScrollWheel(int delta, bool overPages, const BackScrollState& state) {
    if (!state.terminalInFront || !overPages)
        return {};
    if (delta > 0)
        return state.shown ? consumed(BackScrollAction::Scroll, -state.halfPage)
                           : consumed(BackScrollAction::Open);
    return state.shown ? consumed(BackScrollAction::ScrollThenCloseAtNewest, state.halfPage)
                       : consumed(BackScrollAction::None);
}

namespace BackScrollSize {

int halfPage(int panelHeight, int lineHeight) {
    return panelHeight / std::max(1, lineHeight) / 2;
}

int heightFloor(int searchBarHeight) {
    return searchBarHeight + HeightMargin;
}

int clampHeight(int height, int pagesHeight, int searchBarHeight) {
    const int floor = heightFloor(searchBarHeight);
    return std::max(floor, std::min(height, pagesHeight - floor));
}

} // namespace BackScrollSize
