#include "flood_run.h"

#include "flood_proc.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>

namespace flood {

namespace {

constexpr int PollMs = 10;
constexpr int StartTimeoutMs = 30000;
constexpr int AnswerTimeoutMs = 10000;
constexpr int BacklogSampleMs = 250;
constexpr int CountPollMs = 100;
constexpr int IdleAfterMs = 2000;     // the client must be quiet this long after the last spot
constexpr int IdleWindowMs = 1000;    // … measured over this window
constexpr double IdleCpuShare = 0.05; // … as less than this share of one core
constexpr int CatchUpLimitMs = 30000; // a client further behind is not waited for
constexpr int FloodSlackMs = 60000;   // the node itself may fall this far behind

double secondsOf(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e9;
}

double kB(qint64 bytes) {
    return double(bytes) / 1000.0;
}

// "report spots 180000 missed 0 max-block-ms 7.9 over16 2"
ProbeReport parseReport(const QByteArray& line) {
    const QList<QByteArray> words = line.split(' ');
    ProbeReport report;
    for (qsizetype i = 1; i + 1 < words.size(); i += 2) {
        const QByteArray& key = words.at(i);
        const QByteArray& value = words.at(i + 1);
        if (key == "max-block-ms")
            report.maxBlockMs = value.toDouble();
        else if (key == "spots")
            report.spots = value.toLongLong();
        else if (key == "missed")
            report.missed = value.toLongLong();
        else if (key == "over16")
            report.blocksOverFrame = value.toInt();
        else if (key == "log-lines")
            report.logLines = value.toLongLong();
        else if (key == "log-match")
            report.logMatch = value == "1";
    }
    return report;
}

QByteArray caughtUpText(double seconds) {
    return seconds < 0 ? QByteArrayLiteral("never")
                       : "after " + QByteArray::number(seconds, 'f', 1) + " s";
}

void printPhase(const PhaseResult& phase) {
    // Per spot and per second: a client that works per frame looks dear at a low rate.
    std::printf("phase %d/s: %lld spots, client CPU %.2f s = %.3f s per 1000 spots (%.0f%% of a "
                "core)\n",
                phase.rate, phase.spots, phase.clientCpu,
                phase.clientCpu * 1000.0 / double(phase.spots),
                100.0 * phase.clientCpu / phase.nodeSeconds);
    std::printf("  node sent them in %.2f s (%.0f/s, node CPU %.2f s); backlog max %.0f kB, at "
                "end %.0f kB; client at end %lld spots behind, %.0f kB read but not shown; "
                "caught up %s; CPU 2-3 s after %.1f%%\n",
                phase.nodeSeconds, double(phase.spots) / phase.nodeSeconds, phase.nodeCpu,
                kB(phase.maxBacklog), kB(phase.backlogAtEnd), phase.lagAtEnd,
                kB(phase.clientBuffered), caughtUpText(phase.caughtUpAfter).constData(),
                phase.idleCpu * 100.0);
}

} // namespace

FloodRun::FloodRun(Options options)
    : m_options(std::move(options)) {
    // The probe's warnings are worth seeing; its stdout is the conversation.
    m_probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(&m_probe, &QProcess::readyReadStandardOutput, this, &FloodRun::readProbeOutput);
}

int FloodRun::run() {
    if (!m_home.isValid() || !m_node.listen()) {
        std::fputs("kestrel_flood: no temporary folder or no port to listen on\n", stderr);
        return 2;
    }
    if (!startProbe() || !findConnection())
        return 2;
    QList<PhaseResult> phases;
    for (int rate : m_options.rates)
        phases.append(runPhase(rate));
    const qint64 peakKb = peakResidentKb(m_pid);
    const ProbeReport probe = finishProbe();
    return printReport(phases, probe, peakKb);
}

bool FloodRun::startProbe() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A settings folder of its own: the operator's settings must not change the figures.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path());
    m_probe.setProcessEnvironment(environment);
    if (!m_options.countries.isEmpty() && !placeStation())
        return false;
    QStringList arguments{QString::number(m_node.port())};
    arguments << QStringLiteral("--view") << m_options.view;
    if (m_options.log)
        arguments << QStringLiteral("--log") << m_home.filePath(QStringLiteral("flood.log"));
    m_probe.start(m_options.probe, arguments);
    if (!m_probe.waitForStarted() || waitForLine("ready", StartTimeoutMs).isEmpty()) {
        std::fprintf(stderr, "kestrel_flood: %s did not log in\n", qPrintable(m_options.probe));
        m_probe.kill();
        m_probe.waitForFinished();
        return false;
    }
    m_pid = m_probe.processId();
    return true;
}

// What an operator with country data has in the settings folder: the country file, a
// locator and a log of 50 000 QSOs over a spread of entities and bands.
bool FloodRun::placeStation() {
    constexpr int QsoCount = 50000;
    const QString folder = m_home.filePath(QStringLiteral("kestrel"));
    const QString log = m_home.filePath(QStringLiteral("log.adi"));
    if (!QDir().mkpath(folder) ||
        !QFile::copy(m_options.countries, folder + QStringLiteral("/cty.csv")))
        return false;
    const char* const calls[] = {"JA1XYZ", "W1AW",  "DL1ABC", "VK2ABC", "ZS6XX",
                                 "PY2AA",  "G4ABC", "UA9XX",  "VE3XX"};
    const char* const bands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
    QByteArray adif("Generated for the flood<EOH>\r\n");
    for (int i = 0; i < QsoCount; ++i) {
        const QByteArray call(calls[i % 9]);
        const QByteArray band(bands[i % 6]);
        adif += "<CALL:" + QByteArray::number(call.size()) + ">" + call +
                " <BAND:" + QByteArray::number(band.size()) + ">" + band +
                " <QSO_DATE:8>20261207 <TIME_ON:4>1200 <MODE:2>CW <EOR>\r\n";
    }
    QFile logFile(log);
    QFile settings(folder + QStringLiteral("/Kestrel.ini"));
    return logFile.open(QIODevice::WriteOnly) && logFile.write(adif) == adif.size() &&
           settings.open(QIODevice::WriteOnly) &&
           settings.write("[STATION]\r\nLOCATOR=JN58td\r\nADIF_LOG=" + log.toUtf8() + "\r\n") > 0;
}

// The node's end of the one connection: its write buffer and, through the ports, the
// kernel queues of both ends.
bool FloodRun::findConnection() {
    for (QTcpSocket* socket : m_node.findChildren<QTcpSocket*>()) {
        if (socket->state() == QAbstractSocket::ConnectedState)
            m_nodeSocket = socket;
    }
    if (!m_nodeSocket)
        std::fputs("kestrel_flood: the node has no connected client\n", stderr);
    return m_nodeSocket;
}

qint64 FloodRun::backlog() const {
    if (!m_nodeSocket)
        return 0;
    const quint16 nodePort = m_node.port();
    const quint16 clientPort = m_nodeSocket->peerPort();
    return m_nodeSocket->bytesToWrite() + tcpQueues(nodePort, clientPort).tx +
           tcpQueues(clientPort, nodePort).rx;
}

PhaseResult FloodRun::runPhase(int rate) {
    PhaseResult result;
    result.rate = rate;
    result.spots = qint64(rate) * m_options.seconds;
    m_expected += result.spots;
    const double clientCpuBefore = cpuSeconds(m_pid);
    const double nodeCpuBefore = cpuSeconds(QCoreApplication::applicationPid());
    const qint64 bytesBefore = m_node.bytesSentTo(0);

    bool finished = false;
    const auto connection =
        connect(&m_node, &TestNode::floodFinished, this, [&finished] { finished = true; });
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceSample;
    sinceSample.start();
    m_node.flood(rate, int(result.spots));
    waitUntil(
        [&] {
            if (sinceSample.elapsed() >= BacklogSampleMs) {
                result.maxBacklog = std::max(result.maxBacklog, backlog());
                sinceSample.restart();
            }
            return finished;
        },
        int(result.spots * 1000 / rate) + FloodSlackMs);
    disconnect(connection);

    result.nodeSeconds = secondsOf(clock);
    result.nodeCpu = cpuSeconds(QCoreApplication::applicationPid()) - nodeCpuBefore;
    result.bytes = m_node.bytesSentTo(0) - bytesBefore;
    result.backlogAtEnd = backlog();
    result.maxBacklog = std::max(result.maxBacklog, result.backlogAtEnd);
    followUp(result, clientCpuBefore);
    return result;
}

// After the last spot: how far behind the client was, when it had shown everything, and
// how busy it still was two seconds on.
void FloodRun::followUp(PhaseResult& result, double clientCpuBefore) {
    QElapsedTimer since;
    since.start();
    const auto checkCaughtUp = [&] {
        if (result.caughtUpAfter >= 0)
            return;
        if (askCount().seen >= m_expected) {
            result.caughtUpAfter = secondsOf(since);
            result.clientCpu = cpuSeconds(m_pid) - clientCpuBefore;
        }
    };
    const Count atEnd = askCount();
    result.lagAtEnd = m_expected - atEnd.seen;
    result.clientBuffered = atEnd.buffered;
    for (; result.caughtUpAfter < 0 && since.elapsed() < IdleAfterMs;
         sleepUntil(since, int(since.elapsed()) + CountPollMs))
        checkCaughtUp();

    sleepUntil(since, IdleAfterMs);
    const double cpuBefore = cpuSeconds(m_pid);
    const double windowStart = secondsOf(since);
    sleepUntil(since, IdleAfterMs + IdleWindowMs);
    result.idleCpu = (cpuSeconds(m_pid) - cpuBefore) / (secondsOf(since) - windowStart);

    for (; result.caughtUpAfter < 0 && since.elapsed() < CatchUpLimitMs;
         sleepUntil(since, int(since.elapsed()) + CountPollMs))
        checkCaughtUp();
    if (result.caughtUpAfter < 0)
        result.clientCpu = cpuSeconds(m_pid) - clientCpuBefore;
}

FloodRun::Count FloodRun::askCount() {
    m_probe.write("count\n");
    const QList<QByteArray> words = waitForLine("count ", AnswerTimeoutMs).split(' ');
    if (words.size() < 3)
        return {};
    return {words.at(1).toLongLong(), words.at(2).toLongLong()};
}

ProbeReport FloodRun::finishProbe() {
    m_probe.write("report\n");
    const ProbeReport report = parseReport(waitForLine("report ", AnswerTimeoutMs));
    if (!m_probe.waitForFinished(AnswerTimeoutMs)) {
        m_probe.kill();
        m_probe.waitForFinished();
    }
    return report;
}

void FloodRun::readProbeOutput() {
    while (m_probe.canReadLine())
        m_probeLines.append(m_probe.readLine().trimmed());
}

// The first line from the probe that starts so; lines before it are dropped. Empty
// when none came in time or the probe has gone.
QByteArray FloodRun::waitForLine(const QByteArray& prefix, int timeoutMs) {
    QByteArray found;
    waitUntil(
        [&] {
            while (!m_probeLines.isEmpty() && found.isEmpty()) {
                const QByteArray line = m_probeLines.takeFirst();
                if (line.startsWith(prefix))
                    found = line;
            }
            return !found.isEmpty() || m_probe.state() == QProcess::NotRunning;
        },
        timeoutMs);
    return found;
}

// Runs the event loop, so the node keeps serving, until done or the time is up.
void FloodRun::waitUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done())
        return;
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(PollMs);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    loop.exec();
}

void FloodRun::sleepUntil(const QElapsedTimer& clock, int ms) {
    waitUntil([&] { return clock.elapsed() >= ms; }, ms);
}

int FloodRun::printReport(const QList<PhaseResult>& phases, const ProbeReport& probe,
                          qint64 peakKb) const {
    for (const PhaseResult& phase : phases)
        printPhase(phase);
    const PhaseResult& last = phases.constLast();
    const qint64 limit = last.spots > 0 ? last.bytes * last.rate / last.spots : 0;
    const bool keptUp = last.backlogAtEnd <= limit;
    const bool idle = last.idleCpu >= 0 && last.idleCpu < IdleCpuShare;
    const bool allSeen = probe.spots == m_expected;
    std::printf("peak resident %.1f MB; backlog at end %.0f kB (limit %.0f kB): %s; "
                "CPU idle 2 s after last spot: %s\n",
                double(peakKb) / 1024.0, kB(last.backlogAtEnd), kB(limit),
                keptUp ? "kept up" : "fell behind", idle ? "yes" : "no");
    std::printf("longest event-loop block %.1f ms (%d over 16 ms); spots seen %lld of %lld "
                "(%lld missed)\n",
                probe.maxBlockMs, probe.blocksOverFrame, probe.spots, m_expected, probe.missed);
    const bool logged = !m_options.log || probe.logMatch;
    if (m_options.log)
        std::printf("session log: %lld lines, %s\n", probe.logLines,
                    probe.logMatch ? "every line the screen completed, once, in order"
                                   : "NOT the lines the screen completed");
    std::fflush(stdout);
    return keptUp && idle && allSeen && logged ? 0 : 1;
}

} // namespace flood
