#pragma once

// One flood benchmark: the test node in this process, the client (kestrel_flood_probe)
// as a child, and a flood of spots at each rate in turn. After each flood it waits
// three seconds: it notes when the client had shown every spot and whether its CPU had
// gone quiet two seconds after the last one.

#include "TestNode.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class QTcpSocket;

namespace flood {

struct Options {
    QList<int> rates{100, 1000, 5000};
    int seconds = 30;
    QString probe;
    QString view = QStringLiteral("terminal"); // in front: "terminal", "all" or "band"
    bool log = false;                          // a session log open throughout, checked at the end
    // A country file (this path) in the probe's settings folder, with its locator and a
    // generated 50 000-QSO log; empty: the settings folder holds none.
    QString countries;
};

struct PhaseResult {
    int rate = 0;
    qint64 spots = 0;
    qint64 bytes = 0;
    double nodeSeconds = 0;
    double nodeCpu = 0;
    double clientCpu = 0;
    double caughtUpAfter = -1; // seconds after the last spot; negative: never
    qint64 backlogAtEnd = 0;   // bytes between the node and the client's socket
    qint64 maxBacklog = 0;
    qint64 lagAtEnd = 0;       // spots sent but not yet on the client's screen
    qint64 clientBuffered = 0; // bytes read from the kernel but not yet decoded
    double idleCpu = -1;       // the client's CPU share in the third second after
};

struct ProbeReport {
    double maxBlockMs = -1;
    qint64 spots = 0;
    qint64 missed = 0;
    int blocksOverFrame = 0;
    qint64 logLines = -1;
    bool logMatch = false;
};

class FloodRun : public QObject {
    Q_OBJECT
public:
    explicit FloodRun(Options options);

    // 0 when the client kept up, 1 when it did not, 2 when the run could not be made.
    int run();

private:
    bool startProbe();
    bool placeStation();
    PhaseResult runPhase(int rate);
    void followUp(PhaseResult& result, double clientCpuBefore);
    bool findConnection();
    qint64 backlog() const;
    struct Count {
        qint64 seen = -1;
        qint64 buffered = 0;
    };
    Count askCount();
    ProbeReport finishProbe();
    QByteArray waitForLine(const QByteArray& prefix, int timeoutMs);
    void waitUntil(const std::function<bool()>& done, int timeoutMs);
    void sleepUntil(const QElapsedTimer& clock, int ms);
    void readProbeOutput();
    int printReport(const QList<PhaseResult>& phases, const ProbeReport& probe,
                    qint64 peakKb) const;

    Options m_options;
    TestNode m_node;
    QProcess m_probe;
    QTemporaryDir m_home;
    QList<QByteArray> m_probeLines;
    qint64 m_pid = 0;
    qint64 m_expected = 0;
    QPointer<QTcpSocket> m_nodeSocket;
};

} // namespace flood
