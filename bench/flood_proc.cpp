#include "flood_proc.h"

#include <QByteArray>
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

double cpuSeconds(qint64 pid) {
    const QByteArray stat = readProcFile(procPath(pid, "stat"));
    // The command name may hold blanks and brackets: fields are counted after its end.
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return -1;
    const QList<QByteArray> fields = stat.mid(nameEnd + 2).split(' ');
    constexpr int UtimeField = 11; // field 14 of proc(5), counted from the state
    if (fields.size() <= UtimeField + 1)
        return -1;
    const qint64 ticks =
        fields.at(UtimeField).toLongLong() + fields.at(UtimeField + 1).toLongLong();
    return double(ticks) / double(sysconf(_SC_CLK_TCK));
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
