#pragma once

// A lock on a file in the user's runtime folder that the system lets go of when the
// process holding it ends, however it ends (flock(2) belongs to the open file, and the
// kernel closes that with the process). Nothing a crashed copy leaves on disk can lock
// out the copies after it, and no process id is ever compared, so a quickly reused id
// cannot either. Two locks in one process on the same file exclude each other as two
// processes would.

#include <QString>

class RuntimeLock {
public:
    explicit RuntimeLock(const QString& fileName);
    ~RuntimeLock();
    RuntimeLock(const RuntimeLock&) = delete;
    RuntimeLock& operator=(const RuntimeLock&) = delete;

    // Without waiting. Where the file cannot be opened at all, every lock succeeds: a
    // copy that cannot coordinate acts as if alone rather than locking itself out.
    bool tryExclusive();
    // Waits: only for the instant another copy holds the lock to look around.
    void waitExclusive();
    // Several holders may share it; turns a held exclusive lock into a shared one.
    void holdShared();

    // The user's runtime folder (the temporary folder where the desktop gives none).
    static QString folder();
    static QString pathOf(const QString& fileName);

private:
    bool lock(int operation);

    int m_fd = -1;
};
