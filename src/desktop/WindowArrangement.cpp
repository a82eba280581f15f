#include "desktop/WindowArrangement.h"

#include <algorithm>

namespace {

// Full-width bands, one under the other.
QRect vertical(int index, int count, const QSize& area) {
    const int height = area.height() / count;
    return QRect(1, index * height + 1, area.width(), height);
}

QRect cascade(int index, int count, const QSize& area, const QSize& callerSize) {
    const int stepX = area.width() / (count + 1);
    const int stepY = area.height() / (count + 1);
    return QRect(QPoint(index * stepX, index * stepY), callerSize);
}

// Two columns filled row by row; the left column keeps one pixel off the screen's
// edges, the right one does not.
QRect tile(int index, int count, const QSize& area) {
    const int rows = (count + 1) / 2;
    const int height = area.height() / rows;
    const int width = area.width() / 2;
    const int row = index / 2;
    if (index % 2 == 0)
        return QRect(1, row * height + 1, width, height);
    return QRect(width, row * height, width, height);
}

bool arrangeable(const CopyIdentity& copy, const QString& captionBase) {
    return copy.visible && copy.marker == CopyProtocol::WindowMarker &&
           copy.caption.contains(captionBase);
}

} // namespace

namespace WindowArrangement {

QList<QRect> frames(Arrangement arrangement, int count, const QRect& area,
                    const QSize& callerSize) {
    QList<QRect> result;
    if (count < 2)
        return result;
    for (int index = 0; index < count; ++index) {
        QRect frame;
        switch (arrangement) {
        case Arrangement::Vertical:
            frame = vertical(index, count, area.size());
            break;
        case Arrangement::Cascade:
            frame = cascade(index, count, area.size(), callerSize);
            break;
        case Arrangement::Tile:
            frame = tile(index, count, area.size());
            break;
        }
        result.append(frame.translated(area.topLeft()));
    }
    return result;
}

QList<Placement> plan(Arrangement arrangement, const CopyIdentity& self, QList<CopyAnswer> others,
                      const QString& captionBase, const QRect& area) {
    std::stable_sort(others.begin(), others.end(), [](const CopyAnswer& a, const CopyAnswer& b) {
        return a.identity.started < b.identity.started;
    });
    others.prepend({QString(), self});
    others.removeIf(
        [&](const CopyAnswer& copy) { return !arrangeable(copy.identity, captionBase); });
    const QList<QRect> targets = frames(arrangement, int(others.size()), area, self.frame.size());
    QList<Placement> placements;
    for (qsizetype index = 0; index < targets.size(); ++index)
        placements.append({others.at(index).server, targets.at(index)});
    return placements;
}

} // namespace WindowArrangement
