#pragma once

// Where the "&Window" commands put the main windows of the running copies, as frames
// (position and size of the whole window, title bar included). The arithmetic is the
// program's own from its first version: integer divisions truncating toward zero, the
// odd one-pixel offsets kept, so windows land where operators are used to them. The
// area is the calling window's screen without panels; positions are relative to its
// top-left corner.

#include "desktop/CopyProtocol.h"

#include <QList>
#include <QRect>

enum class Arrangement { Vertical, Cascade, Tile };

namespace WindowArrangement {

// One frame per window, in the order given; nothing for fewer than two windows.
// callerSize is the calling copy's own frame size, which cascaded windows all take.
QList<QRect> frames(Arrangement arrangement, int count, const QRect& area, const QSize& callerSize);

// Where one window goes; an empty server is the calling copy itself.
struct Placement {
    QString server;
    QRect frame;
};

// The calling copy first, then the others by start: of those, the windows that are
// shown, carry the marker and whose caption holds captionBase, each with its frame.
QList<Placement> plan(Arrangement arrangement, const CopyIdentity& self, QList<CopyAnswer> others,
                      const QString& captionBase, const QRect& area);

} // namespace WindowArrangement
