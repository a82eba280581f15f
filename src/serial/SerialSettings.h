#pragma once

// The serial line as the settings file keeps it (section RS232C): the environment
// dialog's positions in its lists, LINK_CRLF, and the device configured for each COM port.

#include "base/SettingsKeys.h"

#include <QString>

#include <array>

// Indexes into the lists the environment dialog offers: baud rates 1200, 2400, 4800, 9600,
// 19200, 38400, 115200; data bits 7, 8; stop bits 1, 1.5, 2; parity NONE, ODD, EVEN; flow
// SOFT, CTS/RTS, CTS/DTR. What the baud-rate and data-bit positions stand for; the port
// and the dialog both read them here.
inline constexpr std::array<int, 7> Rs232cBaudRates{1200, 2400, 4800, 9600, 19200, 38400, 115200};
inline constexpr std::array<int, 2> Rs232cByteSizes{7, 8};

struct Rs232cSettings {
    int baudRate = SettingsKeys::BaudRate.defaultNumber;
    int bitLen = SettingsKeys::BitLen.defaultNumber;
    int stopLen = SettingsKeys::StopLen.defaultNumber;
    int parity = SettingsKeys::Parity.defaultNumber;
    int flow = SettingsKeys::Flow.defaultNumber;
    bool linkCrLf = SettingsKeys::LinkCrLf.defaultOn();
    bool operator==(const Rs232cSettings&) const = default;
};

template <SettingsGroup<Rs232cSettings> Rs232c, typename Visit>
void visitKeys(Rs232c& rs232c, const Visit& visit) {
    visit(SettingsKeys::BaudRate, rs232c.baudRate);
    visit(SettingsKeys::BitLen, rs232c.bitLen);
    visit(SettingsKeys::StopLen, rs232c.stopLen);
    visit(SettingsKeys::Parity, rs232c.parity);
    visit(SettingsKeys::Flow, rs232c.flow);
    visit(SettingsKeys::LinkCrLf, rs232c.linkCrLf);
}

// RS232C DEVICE1 to DEVICE8: the device of each COM port, where the system's own is not
// the one (a USB adapter, say).
struct SerialDevices {
    std::array<QString, SettingsKeys::SerialDevice.count> devices;

    // The device set for COM port (1 to 8), trimmed; empty when none is.
    QString of(int port) const {
        return port >= 1 && port <= int(devices.size()) ? devices[size_t(port - 1)].trimmed()
                                                        : QString();
    }
};

template <SettingsGroup<SerialDevices> Devices, typename Visit>
void visitKeys(Devices& serial, const Visit& visit) {
    for (int i = 0; i < int(serial.devices.size()); ++i)
        visit(SettingsKeys::SerialDevice, serial.devices[size_t(i)], i);
}
