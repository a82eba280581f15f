#include "country/WorkedLogLoader.h"

#include "base/RegularFile.h"
#include "country/CountryTexts.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Larger than any amateur's log; a file beyond it is not read into memory.
constexpr qint64 MaxLogBytes = qint64(1) << 30;
constexpr int SettleMs = 500;

} // namespace

WorkedLogLoader::WorkedLogLoader(QObject* parent)
    : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &WorkedLogLoader::startReading);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &WorkedLogLoader::fileTouched);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &WorkedLogLoader::fileTouched);
}

WorkedLogLoader::~WorkedLogLoader() {
    if (m_worker) {
        m_worker->requestInterruption();
        m_worker->wait();
    }
}

void WorkedLogLoader::watch(const QString& path) {
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path;
    ++m_generation;
    m_lastSize = -1;
    if (!path.isEmpty()) {
        m_watcher.addPath(QFileInfo(path).absolutePath());
        if (QFileInfo::exists(path))
            m_watcher.addPath(path);
    }
    m_settle.stop();
    startReading();
}

// A change in the log's folder is a change of the log only when its time or size moved.
void WorkedLogLoader::fileTouched() {
    const QFileInfo info(m_path);
    if (info.exists() && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path); // a replaced file is a new one to watch
    if (info.lastModified() == m_lastModified && info.size() == m_lastSize)
        return;
    m_settle.start();
}

void WorkedLogLoader::startReading() {
    if (m_worker) {
        m_readAgain = true;
        m_worker->requestInterruption();
        return;
    }
    const QFileInfo info(m_path);
    m_lastModified = info.lastModified();
    m_lastSize = info.exists() ? info.size() : -1;
    if (m_path.isEmpty()) {
        emit loaded(WorkedLog(), QString());
        return;
    }
    const quint64 generation = m_generation;
    m_worker.reset(QThread::create([this, generation, path = m_path, countries = m_countries] {
        // A named pipe in the log's place is refused, not waited on.
        QFile file;
        QString report = CountryTexts::LogNotRead.arg(path);
        WorkedLog worked;
        if (openRegularFile(file, path) && file.size() <= MaxLogBytes) {
            const AdifLog log = AdifReader::read(
                file.readAll(), [] { return QThread::currentThread()->isInterruptionRequested(); });
            if (log.stopped)
                return;
            worked = WorkedLog(log, countries.get());
            report = log.malformedRecords == 0 ? QString(CountryTexts::LogLoaded)
                                                     .arg(worked.qsoCount())
                                                     .arg(worked.entityCount())
                                               : QString(CountryTexts::LogSkipped)
                                                     .arg(worked.qsoCount())
                                                     .arg(worked.entityCount())
                                                     .arg(log.malformedRecords);
        }
        QMetaObject::invokeMethod(
            this, [this, generation, worked, report] { readingDone(generation, worked, report); },
            Qt::QueuedConnection);
    }));
    connect(m_worker.get(), &QThread::finished, this, [this] {
        m_worker.reset();
        if (std::exchange(m_readAgain, false))
            startReading();
    });
    m_worker->start();
}

void WorkedLogLoader::readingDone(quint64 generation, const WorkedLog& worked,
                                  const QString& report) {
    if (generation == m_generation && !m_readAgain)
        emit loaded(worked, report);
}
