#include "desktop/ExclusiveDialogGuard.h"

#include <QDir>
#include <QStandardPaths>

QString ExclusiveDialogGuard::lockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/KestrelSemaphoa.lock");
}

ExclusiveDialogGuard::ExclusiveDialogGuard()
    : m_lock(lockPath()) {
    // A dialog may stay open for hours: only a dead holder makes the lock stale.
    m_lock.setStaleLockTime(0);
    m_acquired = m_lock.tryLock(0);
}
