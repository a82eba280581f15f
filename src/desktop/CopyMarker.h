#pragma once

// Tells a copy of the program whether another copy was running when it started (then it
// is a clone, for its whole life), and marks this copy as running until it ends.
//
// Every copy holds a shared lock on one runtime file (RuntimeLock); a copy that can take
// it exclusively is alone. The system drops the lock of a copy that dies, even by
// SIGKILL, so a crash never makes later copies clones. Every copy keeps the marker, not
// only the first, so a copy started after the first has ended is still a clone while
// clones run. A second lock file keeps two copies starting together from both finding
// themselves alone.

#include "desktop/RuntimeLock.h"

class CopyMarker {
public:
    CopyMarker();

    bool isClone() const { return m_clone; }

private:
    RuntimeLock m_marker;
    bool m_clone = false;
};
