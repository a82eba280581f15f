#pragma once

// The row changes that turn the listing a list shows into the next one: the rows of
// spots gone, the rows of spots new, and the rows whose text changed (an age that went
// up), so that a list repaints only what changed. Spots are known by their key; both
// listings are sorted by frequency, so a walk down both finds what entered and what
// left. When little is left in place, a list is better shown afresh.

#include "scope/SpotScope.h"

#include <QList>

struct RowEdit {
    enum class Kind { Remove, Insert, Change };
    Kind kind;
    int row; // in the list as it stands when this edit is made
    int count;
};

struct ListingDiff {
    // Made in order, the edits turn the shown listing into the next; an inserted or
    // changed row r takes line r of the next listing.
    QList<RowEdit> edits;
    bool showAfresh = false; // instead of the edits
};

ListingDiff diffListings(const ScopeListing& shown, const ScopeListing& next);
