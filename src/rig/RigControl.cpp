#include "rig/RigControl.h"

#include "rig/RigWorker.h"

#include <QThread>

namespace {

constexpr int ShutdownWaitMs = 1500;

} // namespace

RigControl::RigControl(QObject* parent)
    : QObject(parent)
    , m_thread(new QThread(this))
    , m_worker(new RigWorker) { // deleted on its own thread when that ends
    m_thread->setObjectName(QStringLiteral("Rig"));
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &RigWorker::frequencyChanged, this, &RigControl::frequencyChanged);
    connect(m_worker, &RigWorker::statusChanged, this, &RigControl::statusChanged);
    m_thread->start();
}

RigControl::~RigControl() {
    m_thread->quit();
    if (m_thread->wait(ShutdownWaitMs))
        return;
    // A Hamlib call is still waiting for the rig: the thread ends after it, on its own.
    m_thread->setParent(nullptr);
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
}

void RigControl::configure(const RigSettings& settings) {
    m_settings = settings;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, settings] { worker->configure(settings); },
        Qt::QueuedConnection);
}

void RigControl::tune(qint64 hz, QByteArrayView remark) {
    const std::optional<RigMode> mode =
        m_settings.setMode ? modeFromRemark(remark, hz) : std::nullopt;
    m_worker->requestTune({hz, mode});
    QMetaObject::invokeMethod(m_worker, &RigWorker::applyTune, Qt::QueuedConnection);
}
