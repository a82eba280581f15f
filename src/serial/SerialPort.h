#pragma once

// The serial port the session is relayed to: its line settings, opening and closing,
// reading and writing. Line settings this system cannot do are mapped: 1.5 stop bits
// become 2 (Linux serial drivers offer no 1.5); "CTS/DTR" becomes RTS/CTS hardware flow
// with DTR raised, as neither Qt nor Linux has a DTR handshake; the Windows queue sizes
// and XON/XOFF limits have no counterpart and are left out.
//
// Threading: the port belongs to the thread that creates the SerialPort; use it there only.

#include "serial/SerialSettings.h"

#include <QByteArray>
#include <QSerialPort>
#include <QString>

// The line as the port takes it: a speed in bit/s, 7 or 8 data bits, and the codes of
// the environment dialog for stop bits (0 one, 1 one and a half, 2 two), parity (0 none,
// 1 odd, 2 even) and flow (0 SOFT, 1 CTS/RTS, 2 CTS/DTR).
struct SerialLine {
    int baudRate = 0;
    int byteSize = 0;
    int stopCode = 0;
    int parityCode = 0;
    int flowCode = 0;
};

class SerialPort {
public:
    // The line for the environment dialog's settings; a position outside its list is
    // taken as the nearest one.
    static SerialLine lineFor(const Rs232cSettings& settings);
    // The device of COM port: the one configured for it, else the system's own (COM1 is
    // /dev/ttyS0).
    static QString PortName(int port, const QString& configuredDevice);

    void Configure(const QString& portName, const SerialLine& line);

    // Opens the port exclusively and sets the line up. On failure the port is closed and
    // lastError() holds the message for the operator.
    bool Open();
    // Discards unread input and closes. Safe when closed.
    void Close();
    bool isOpen() const { return m_port.isOpen(); }
    QString lastError() const { return m_lastError; }

    // Up to maxBytes of what has arrived; empty at once when nothing has.
    QByteArray Read(qint64 maxBytes);
    // Hands the bytes to the port in one write; nothing happens when it is closed.
    qint64 Write(QByteArrayView bytes);

    // For its signals and its write backlog.
    QSerialPort& device() { return m_port; }

private:
    bool setUpLine();

    QSerialPort m_port;
    QString m_portName;
    SerialLine m_line;
    QString m_lastError;
};
