#pragma once

// One of the twelve cluster nodes the operator can connect to, and the table of all of
// them. The connect dialog holds the table while the program runs; the settings file
// keeps it.

#include "base/SettingsKeys.h"

#include <QString>

#include <array>

struct NodeEntry {
    QString address;
    QString port = SettingsKeys::NodePort.defaultText.toString(); // kept as typed
    QString remarks;
    bool localEcho = SettingsKeys::NodeLocalEcho.defaultOn();
    bool sendCrLf = SettingsKeys::NodeSendCrLf.defaultOn();
    // Relay this node's session to a serial port.
    bool linkActive = SettingsKeys::NodeLinkActive.defaultOn();
    int comPort = SettingsKeys::NodeLinkCom.defaultNumber;

    bool operator==(const NodeEntry&) const = default;
};

using NodeTable = std::array<NodeEntry, NodeCount>;

// The table as a new installation has it: six public cluster nodes of different
// regions on the ports they serve, and six empty entries.
NodeTable defaultNodeTable();
