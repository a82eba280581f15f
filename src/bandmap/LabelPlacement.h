#pragma once

// Where the calls go beside the band map's scale. Each label is one row high and wants
// its row centred on its spot's frequency; labels too close to fit are spread apart, as
// near their spots as they can be, each joined to its frequency by a leader no longer
// than maxLeader. What does not fit then is hidden, the least wanted first, and each run
// of hidden spots between two shown ones has one "+n" row that says how many. No label
// overlaps another, and all stay within the map's height.

#include <QList>

struct PlacedLabel {
    int spot;      // index into the anchors; -1 for the "+n" row
    int hidden;    // for the "+n" row: how many spots it stands for
    double top;    // the row's top
    double anchor; // the frequency's row: the spot's, or the middle of the hidden ones
};

struct LabelRequest {
    double anchor;   // the spot's frequency as a pixel row
    double priority; // higher is kept first when not all fit (the newest spot, say)
};

// requests must be in order of anchor. The result is in order of top.
QList<PlacedLabel> placeLabels(const QList<LabelRequest>& requests, double rowHeight,
                               double viewHeight, double maxLeader);
