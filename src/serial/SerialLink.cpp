#include "serial/SerialLink.h"

#include "net/GuardedSender.h"
#include "serial/SerialOutbox.h"

#include <QDeadlineTimer>

QByteArray serialToNode(QByteArrayView chunk, bool crToCrLf) {
    QByteArray bytes = chunk.toByteArray();
    if (crToCrLf)
        bytes.replace('\r', QByteArrayView("\r\n"));
    return bytes;
}

SerialLink::SerialLink(SerialOutbox& outbox, GuardedSender& sender)
    : m_outbox(outbox)
    , m_sender(sender) {
    m_backlogRetry.setSingleShot(true);
    m_backlogRetry.setInterval(10);
    QObject::connect(&m_backlogRetry, &QTimer::timeout, &m_backlogRetry, [this] { relayInput(); });
    m_stall.setSingleShot(true);
    m_stall.setInterval(StallMilliseconds);
    QObject::connect(&m_stall, &QTimer::timeout, &m_stall, [this] { dropStalled(); });
}

bool SerialLink::open(const SerialLinkSetup& setup, std::function<void()> portLost,
                      std::function<void(qint64)> portStalled) {
    m_crToCrLf = setup.crToCrLf;
    m_portLost = std::move(portLost);
    m_portStalled = std::move(portStalled);
    m_port.Configure(setup.portName, setup.line);
    if (!m_port.Open())
        return false;
    QSerialPort& device = m_port.device();
    device.setReadBufferSize(InputBacklogBytes); // unread input then waits in the system
    QObject::connect(&device, &QSerialPort::readyRead, &device, [this] { relayInput(); });
    QObject::connect(&device, &QSerialPort::bytesWritten, &device, [this] { noteWritten(); });
    QObject::connect(&device, &QSerialPort::errorOccurred, &device,
                     [this](QSerialPort::SerialPortError error) { noteError(error); });
    m_outbox.setWake([&device, this] {
        QMetaObject::invokeMethod(
            &device, [this] { writeWaiting(); }, Qt::QueuedConnection);
    });
    return true;
}

void SerialLink::writeWaiting() {
    m_port.Write(m_outbox.takeAll());
    m_outbox.setBytesInPort(m_port.device().bytesToWrite());
    if (m_port.device().bytesToWrite() > 0 && !m_stall.isActive())
        m_stall.start();
}

// The port took something: the wait for it starts afresh.
void SerialLink::noteWritten() {
    const qint64 inPort = m_port.device().bytesToWrite();
    m_outbox.setBytesInPort(inPort);
    if (inPort > 0)
        m_stall.start();
    else
        m_stall.stop();
}

void SerialLink::dropStalled() {
    QSerialPort& device = m_port.device();
    if (!m_port.isOpen() || device.bytesToWrite() == 0)
        return;
    const qint64 lost = m_outbox.dropWaiting(device.bytesToWrite());
    device.clear(QSerialPort::Output);
    m_portStalled(lost);
}

// A node that does not read cannot make the sender's queue grow without end.
void SerialLink::relayInput() {
    if (m_sender.pendingBytes() > InputBacklogBytes) {
        m_backlogRetry.start();
        return;
    }
    for (QByteArray chunk = m_port.Read(ChunkBytes); !chunk.isEmpty();
         chunk = m_port.Read(ChunkBytes))
        m_sender.GuardedSend(serialToNode(chunk, m_crToCrLf->load()));
}

void SerialLink::noteError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError || m_lost)
        return;
    m_lost = true;
    m_portLost();
}

void SerialLink::finish() {
    const QByteArray rest = m_outbox.close();
    if (m_port.isOpen() && !m_lost) {
        m_port.Write(rest);
        QSerialPort& device = m_port.device();
        const QDeadlineTimer deadline(DrainMilliseconds);
        bool writing = true;
        while (writing && device.bytesToWrite() > 0)
            writing = device.waitForBytesWritten(int(deadline.remainingTime()));
    }
    m_port.Close();
}
