#pragma once

// Keeps the connect and environment dialogs from being open in two running copies at
// once: whoever holds the guard may show one of them. The guard is a RuntimeLock, which
// the system frees when its holder ends, so a copy that crashed inside a dialog never
// locks the others out.

#include "desktop/RuntimeLock.h"

class ExclusiveDialogGuard {
public:
    // Tries once, without waiting.
    ExclusiveDialogGuard();
    bool acquired() const { return m_acquired; }

    static QString lockPath();

private:
    RuntimeLock m_lock;
    bool m_acquired = false;
};
