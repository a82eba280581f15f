#pragma once

// What the kernel knows about a process and a loopback connection: CPU time and peak
// resident memory from /proc/<pid>, and the queues of one TCP socket from
// /proc/net/tcp. Linux only, like the rest of the flood benchmark.

#include <QtGlobal>

namespace flood {

// Time on the CPU, all its threads, in seconds; negative when the process is gone.
double cpuSeconds(qint64 pid);
// VmHWM in kilobytes; negative when the process is gone.
qint64 peakResidentKb(qint64 pid);

// Bytes queued in the kernel for one socket: not yet acknowledged by the peer (tx) and
// received but not yet read by the program (rx).
struct TcpQueues {
    qint64 tx = 0;
    qint64 rx = 0;
    bool found = false;
};

// The IPv4 socket with this local and remote port.
TcpQueues tcpQueues(quint16 localPort, quint16 remotePort);

} // namespace flood
