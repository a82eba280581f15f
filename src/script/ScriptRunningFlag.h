#pragma once

// Whether a script is running: true from the moment the interpreter has opened its file
// until it has finished with it. The script window owns it.
//
// Threading: any thread; each access takes the flag's own lock, never held together
// with another lock.

#include <QMutex>

class ScriptRunningFlag {
public:
    void SetRunning(bool running) {
        QMutexLocker locker(&m_lock);
        m_running = running;
    }
    bool IsRunning() const {
        QMutexLocker locker(&m_lock);
        return m_running;
    }

private:
    mutable QMutex m_lock;
    bool m_running = false;
};
