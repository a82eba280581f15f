#include "serial/SerialPort.h"

#include "serial/SerialTexts.h"

#include <algorithm>

namespace {

template <typename List>
int listValue(const List& list, int position) {
    return list[size_t(std::clamp(position, 0, int(list.size()) - 1))];
}

QSerialPort::StopBits stopBitsFor(int code) {
    return code == 0 ? QSerialPort::OneStop : QSerialPort::TwoStop;
}

QSerialPort::Parity parityFor(int code) {
    switch (code) {
    case 1:
        return QSerialPort::OddParity;
    case 2:
        return QSerialPort::EvenParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::FlowControl flowFor(int code) {
    return code == 0 ? QSerialPort::SoftwareControl : QSerialPort::HardwareControl;
}

} // namespace

SerialLine SerialPort::lineFor(const Rs232cSettings& settings) {
    return {listValue(Rs232cBaudRates, settings.baudRate),
            listValue(Rs232cByteSizes, settings.bitLen), settings.stopLen, settings.parity,
            settings.flow};
}

QString SerialPort::PortName(int port, const QString& configuredDevice) {
    if (!configuredDevice.isEmpty())
        return configuredDevice;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

void SerialPort::Configure(const QString& portName, const SerialLine& line) {
    m_portName = portName;
    m_line = line;
}

bool SerialPort::Open() {
    Close();
    m_lastError.clear();
    m_port.setPortName(m_portName);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastError = SerialTexts::UnableToOpen + m_portName;
        return false;
    }
    if (!setUpLine()) {
        m_port.close();
        m_lastError = SerialTexts::SetUpConnectionError;
        return false;
    }
    m_port.clear();
    return true;
}

// What the port took is read back: a setter may report success for a value the
// driver did not keep.
bool SerialPort::setUpLine() {
    const QSerialPort::StopBits stopBits = stopBitsFor(m_line.stopCode);
    const QSerialPort::FlowControl flow = flowFor(m_line.flowCode);
    const bool taken = m_port.setBaudRate(m_line.baudRate) &&
                       m_port.setDataBits(QSerialPort::DataBits(m_line.byteSize)) &&
                       m_port.setParity(parityFor(m_line.parityCode)) &&
                       m_port.setStopBits(stopBits) && m_port.setFlowControl(flow);
    if (!taken || m_port.stopBits() != stopBits || m_port.flowControl() != flow)
        return false;
    // Opening has raised DTR and RTS already on a real port; a pseudo-terminal has no
    // modem lines and refuses these, which is no reason to give up the relay.
    m_port.setDataTerminalReady(true);
    if (flow == QSerialPort::SoftwareControl)
        m_port.setRequestToSend(true);
    m_port.clearError();
    return true;
}

// Purging what the system holds for sending would cut off the last bytes written (the
// disconnect notice); they go out, and the system drops DTR once the port is closed.
// Bytes the port never took (flow control holding it) are dropped, so that closing
// does not wait on them.
void SerialPort::Close() {
    if (!m_port.isOpen())
        return;
    m_port.clear(m_port.bytesToWrite() > 0 ? QSerialPort::AllDirections : QSerialPort::Input);
    m_port.close();
}

QByteArray SerialPort::Read(qint64 maxBytes) {
    return m_port.isOpen() ? m_port.read(maxBytes) : QByteArray();
}

qint64 SerialPort::Write(QByteArrayView bytes) {
    return m_port.isOpen() ? m_port.write(bytes.data(), bytes.size()) : 0;
}
