#include "desktop/RuntimeLock.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

QString RuntimeLock::folder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

QString RuntimeLock::pathOf(const QString& fileName) {
    return folder() + QLatin1Char('/') + fileName;
}

RuntimeLock::RuntimeLock(const QString& fileName)
    : m_fd(::open(QFile::encodeName(pathOf(fileName)).constData(), O_RDWR | O_CREAT | O_CLOEXEC,
                  0600)) {}

RuntimeLock::~RuntimeLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RuntimeLock::lock(int operation) {
    if (m_fd < 0)
        return true;
    int result = 0;
    do {
        result = ::flock(m_fd, operation);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool RuntimeLock::tryExclusive() {
    return lock(LOCK_EX | LOCK_NB);
}

void RuntimeLock::waitExclusive() {
    lock(LOCK_EX);
}

void RuntimeLock::holdShared() {
    lock(LOCK_SH);
}
