#pragma once

// What the scope's lists may learn about a spot beyond its line: whether the operator's
// own filters show it, and what is known of the station, appended to its row. A feature
// above the scope provides it; without one the lists show the lines alone.

#include "scope/DxSpot.h"

#include <QByteArray>

// Whether the operator still needs the spotted station, by their log.
enum class SpotNeed {
    Unknown, // no log, or no entity known for the call
    NewOne,  // the entity was never worked
    NewBand, // worked, but not on this band
    Worked,
};

class SpotAnnotator {
public:
    virtual ~SpotAnnotator() = default;
    virtual bool shows(const DxSpot& spot) const = 0;
    // Appends what is known of the DX station to its row's text.
    virtual void annotate(const DxSpot& spot, QByteArray& row) const = 0;
};
