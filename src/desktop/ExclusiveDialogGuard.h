#pragma once

// Keeps the connect and environment dialogs from being open in two running copies at
// once: whoever holds the guard may show one of them. The guard is a lock file in the
// user's runtime folder; the system frees it when the holder ends, and a lock left by
// a copy that crashed is taken over, so no copy is ever locked out for good.

#include <QLockFile>
#include <QString>

class ExclusiveDialogGuard {
public:
    // Tries once, without waiting.
    ExclusiveDialogGuard();
    bool acquired() const { return m_acquired; }

    static QString lockPath();

private:
    QLockFile m_lock;
    bool m_acquired = false;
};
