#include "desktop/ExclusiveDialogGuard.h"

namespace {
const QString LockName = QStringLiteral("KestrelSemaphoa.lock");
}

QString ExclusiveDialogGuard::lockPath() {
    return RuntimeLock::pathOf(LockName);
}

ExclusiveDialogGuard::ExclusiveDialogGuard()
    : m_lock(LockName) {
    m_acquired = m_lock.tryExclusive();
}
