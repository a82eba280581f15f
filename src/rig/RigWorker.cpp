#include "rig/RigWorker.h"

#include "rig/Hamlib.h"
#include "rig/RigModels.h"
#include "rig/RigTexts.h"

#include <utility>

namespace {

constexpr int PollMs = 1000;
constexpr int RetryMs = 10'000;
// A rig that does not answer holds the thread for a second per command, and no command
// is tried twice.
constexpr const char* CommandTimeoutMs = "1000";
constexpr const char* CommandRetries = "0";

void setConf(RIG* rig, const char* name, const QByteArray& value) {
    hamlib()->setConf(rig, hamlib()->tokenLookup(rig, name), value.constData());
}

QString hamlibError(int error) {
    return QString::fromUtf8(hamlib()->error(error)).trimmed();
}

// Exact to the hertz: "14025.000".
QString kilohertz(qint64 hz) {
    return QStringLiteral("%1.%2").arg(hz / 1000).arg(qAbs(hz % 1000), 3, 10, QLatin1Char('0'));
}

rmode_t hamlibMode(RigMode mode) {
    switch (mode) {
    case RigMode::Cw:
        return RIG_MODE_CW;
    case RigMode::Usb:
        return RIG_MODE_USB;
    case RigMode::Lsb:
        return RIG_MODE_LSB;
    case RigMode::Data:
        return RIG_MODE_PKTUSB;
    case RigMode::Rtty:
        return RIG_MODE_RTTY;
    case RigMode::Am:
        return RIG_MODE_AM;
    case RigMode::Fm:
        return RIG_MODE_FM;
    }
    return RIG_MODE_NONE;
}

} // namespace

void RigWorker::RigCloser::operator()(RIG* rig) const {
    hamlib()->close(rig); // refused harmlessly when it never opened
    hamlib()->cleanup(rig);
}

RigWorker::RigWorker() {
    m_pollTimer.setInterval(PollMs);
    m_retryTimer.setInterval(RetryMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &RigWorker::poll);
    connect(&m_retryTimer, &QTimer::timeout, this, &RigWorker::open);
}

RigWorker::~RigWorker() = default;

void RigWorker::configure(const RigSettings& settings) {
    if (m_rig && settings == m_settings)
        return;
    close();
    m_retryTimer.stop();
    m_failing = false;
    m_settings = settings;
    report(QString());
    if (settings.model == 0)
        return; // no rig: Hamlib stays unloaded
    if (!RigModels::loadBackends())
        return report(RigTexts::NoHamlib);
    hamlib()->setDebug(settings.debug ? RIG_DEBUG_TRACE : RIG_DEBUG_NONE);
    open();
}

void RigWorker::requestTune(const TuneRequest& request) {
    const QMutexLocker lock(&m_tuneLock);
    m_pendingTune = request;
}

void RigWorker::applyTune() {
    std::optional<TuneRequest> request;
    {
        const QMutexLocker lock(&m_tuneLock);
        request.swap(m_pendingTune);
    }
    if (!request || m_settings.model == 0 || !hamlib())
        return;
    if (!m_rig)
        open(); // the operator asks now: no reason to wait for the next retry
    if (m_rig)
        tune(*request);
}

void RigWorker::open() {
    close();
    m_rig.reset(hamlib()->init(rig_model_t(m_settings.model)));
    if (!m_rig) {
        m_retryTimer.stop(); // no retry brings the model into Hamlib
        report(RigTexts::UnknownModel.arg(QString::number(m_settings.model)));
        return;
    }
    const QByteArray port = m_settings.port.trimmed().toUtf8();
    if (!port.isEmpty())
        setConf(m_rig.get(), "rig_pathname", port);
    if (m_rig->caps->port_type == RIG_PORT_SERIAL)
        setConf(m_rig.get(), "serial_speed", QByteArray::number(m_settings.speed));
    setConf(m_rig.get(), "timeout", CommandTimeoutMs);
    setConf(m_rig.get(), "retry", CommandRetries);
    // Every read asks the rig itself, so that a rig gone is noticed at the next one.
    hamlib()->setCacheTimeoutMs(m_rig.get(), HAMLIB_CACHE_ALL, 0);
    if (const int result = hamlib()->open(m_rig.get()); result != RIG_OK)
        return fail(RigTexts::CannotOpen.arg(portName(), hamlibError(result)));
    m_retryTimer.stop();
    m_pollTimer.start();
    poll();
}

void RigWorker::poll() {
    freq_t hz = 0;
    if (const int result = hamlib()->getFreq(m_rig.get(), RIG_VFO_CURR, &hz); result != RIG_OK)
        return fail(RigTexts::NoAnswer.arg(portName(), hamlibError(result)));
    m_failing = false;
    showFrequency(qint64(hz));
}

void RigWorker::tune(const TuneRequest& request) {
    int result = hamlib()->setFreq(m_rig.get(), RIG_VFO_CURR, freq_t(request.hz));
    if (result == RIG_OK && request.mode)
        result = hamlib()->setMode(m_rig.get(), RIG_VFO_CURR, hamlibMode(*request.mode),
                                   RIG_PASSBAND_NOCHANGE);
    if (result == RIG_OK)
        return showFrequency(request.hz);
    // A rig that refused is still there and says so; one that has gone is told as gone.
    const QString refusal = RigTexts::CannotTune.arg(kilohertz(request.hz), hamlibError(result));
    poll();
    if (m_rig)
        report(refusal);
}

void RigWorker::close() {
    m_pollTimer.stop();
    m_rig.reset();
    if (std::exchange(m_frequency, -1) >= 0)
        emit frequencyChanged(0); // no longer known
}

// Told once; the retries that follow stay quiet until the rig answers.
void RigWorker::fail(const QString& text) {
    if (!m_failing)
        report(text);
    m_failing = true;
    close();
    m_retryTimer.start();
}

void RigWorker::showFrequency(qint64 hz) {
    if (hz != m_frequency)
        emit frequencyChanged(hz);
    m_frequency = hz;
    report(RigTexts::FrequencyStatus.arg(kilohertz(hz)));
}

void RigWorker::report(const QString& text) {
    if (text == m_status)
        return;
    m_status = text;
    emit statusChanged(text);
}

// The device or address Hamlib was given, or its own default.
QString RigWorker::portName() const {
    return QString::fromUtf8(m_rig->state.rigport.pathname);
}
