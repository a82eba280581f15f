#include "files/SessionLog.h"

#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Something that is there but not a plain file (a folder, a pipe nobody reads, a
// device) would fail or block the terminal at the first line.
bool isUsableLogPath(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

} // namespace

SessionLog::SessionLog(QObject* parent)
    : QObject(parent) {
    m_syncTimer.setSingleShot(true);
    m_syncTimer.setInterval(SyncIntervalMs);
    connect(&m_syncTimer, &QTimer::timeout, this, &SessionLog::syncToDisk);
}

SessionLog::~SessionLog() {
    close();
}

bool SessionLog::open(const QString& path, Mode mode) {
    close();
    if (!isUsableLogPath(path))
        return false;
    m_file.setFileName(path);
    const QIODevice::OpenMode how = mode == Mode::Append ? QIODevice::Append : QIODevice::Truncate;
    return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered | how);
}

void SessionLog::close() {
    if (!m_file.isOpen())
        return;
    m_syncTimer.stop();
    syncToDisk();
    m_file.close();
}

// Write errors are not looked at: the terminal goes on, and the next line is tried anew.
void SessionLog::takeLine(QByteArrayView line) {
    if (!m_file.isOpen())
        return;
    m_record.truncate(0);
    m_record.append(line.data(), line.size());
    m_record.append('\n');
    m_file.write(m_record);
    if (!m_syncTimer.isActive())
        m_syncTimer.start();
}

void SessionLog::syncToDisk() {
    const int handle = m_file.handle();
    if (handle < 0)
        return;
#ifdef Q_OS_WIN
    _commit(handle);
#else
    ::fdatasync(handle);
#endif
}
