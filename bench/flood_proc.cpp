#include "flood_proc.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>

#include <unistd.h>

namespace flood {

namespace {

QByteArray readProcFile(const QByteArray& path) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray procPath(qint64 pid, const char* name) {
    return "/proc/" + QByteArray::number(pid) + '/' + name;
}

// "0100007F:1C8D" -> 0x1C8D; the address part is not needed on loopback.
quint16 portOf(const QByteArray& endpoint) {
    const qsizetype colon = endpoint.indexOf(':');
    return colon < 0 ? 0 : static_cast<quint16>(endpoint.mid(colon + 1).toUInt(nullptr, 16));
}

} // namespace

// The scheduler's own count of the time each thread ran, in nanoseconds: exact, where
// the user and system times of /proc/<pid>/stat are whole clock ticks charged to
// whoever happened to run at the tick, which misjudges a program that wakes often for
// short stretches. Threads that have ended are not counted; the client's live on.
double cpuSeconds(qint64 pid) {
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    const QStringList threads = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (threads.isEmpty())
        return -1;
    qint64 nanoseconds = 0;
    for (const QString& thread : threads) {
        const QByteArray schedstat =
            readProcFile(QFile::encodeName(tasks.filePath(thread + QStringLiteral("/schedstat"))));
        nanoseconds += schedstat.split(' ').constFirst().toLongLong();
    }
    return double(nanoseconds) / 1e9;
}

qint64 peakResidentKb(qint64 pid) {
    for (const QByteArray& line : readProcFile(procPath(pid, "status")).split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
    }
    return -1;
}

TcpQueues tcpQueues(quint16 localPort, quint16 remotePort) {
    const QList<QByteArray> lines = readProcFile("/proc/net/tcp").split('\n');
    for (const QByteArray& line : lines) {
        // sl local_address rem_address st tx_queue:rx_queue ...
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 5 || portOf(fields.at(1)) != localPort ||
            portOf(fields.at(2)) != remotePort)
            continue;
        const QList<QByteArray> queues = fields.at(4).split(':');
        if (queues.size() != 2)
            continue;
        return {queues.at(0).toLongLong(nullptr, 16), queues.at(1).toLongLong(nullptr, 16), true};
    }
    return {};
}

} // namespace flood
