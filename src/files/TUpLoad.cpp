#include "files/TUpLoad.h"

#include "files/UploadLink.h"
#include "files/Uploader.h"

#include <QMutexLocker>

TUpLoad::TUpLoad(UploadLink& link, const QString& path, QObject* parent)
    : QThread(parent)
    , m_link(link)
    , m_path(path) {}

void TUpLoad::resume() {
    QMutexLocker locker(&m_pauseLock);
    m_paused = false;
    m_resumed.wakeAll();
}

void TUpLoad::abort() {
    requestInterruption();
    QMutexLocker locker(&m_pauseLock);
    m_resumed.wakeAll();
}

void TUpLoad::run() {
    setPriority(LowPriority);
    Uploader(*this).run(m_path);
}

bool TUpLoad::sendLine(const QByteArray& line) {
    return m_link.post(line);
}

qint64 TUpLoad::unsentBytes() const {
    return m_link.unsentBytes();
}

void TUpLoad::waitAWhile() {
    msleep(10);
}

bool TUpLoad::waitForContinue() {
    QMutexLocker locker(&m_pauseLock);
    m_paused = true;
    emit paused();
    while (m_paused && !isInterruptionRequested())
        m_resumed.wait(&m_pauseLock);
    return !isInterruptionRequested();
}
