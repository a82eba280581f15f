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

// A new table is the one a new installation has: six public cluster nodes of different
// regions on the ports they serve, and six empty entries.
struct NodeTable : std::array<NodeEntry, NodeCount> {
    NodeTable();
};

// The table's keys in the settings file (see SettingsFile): section NODES, each key
// numbered 1 to 12.
template <SettingsGroup<NodeTable> Table, typename Visit>
void visitKeys(Table& nodes, const Visit& visit) {
    const auto each = [&](const SettingsKey& key, auto field) {
        for (int i = 0; i < NodeCount; ++i)
            visit(key, nodes[size_t(i)].*field, i);
    };
    each(SettingsKeys::NodeAddress, &NodeEntry::address);
    each(SettingsKeys::NodePort, &NodeEntry::port);
    each(SettingsKeys::NodeLocalEcho, &NodeEntry::localEcho);
    each(SettingsKeys::NodeSendCrLf, &NodeEntry::sendCrLf);
    each(SettingsKeys::NodeRemarks, &NodeEntry::remarks);
    each(SettingsKeys::NodeLinkActive, &NodeEntry::linkActive);
    each(SettingsKeys::NodeLinkCom, &NodeEntry::comPort);
}
