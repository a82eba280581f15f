#pragma once

// One of the twelve cluster nodes the operator can connect to, and the table of all of
// them. The connect dialog holds the table while the program runs; the settings file
// keeps it.

#include <QString>

#include <array>

struct NodeEntry {
    QString address;
    QString port; // kept as typed; checked when connecting
    QString remarks;
    bool localEcho = true;
    bool sendCrLf = true;
    bool linkActive = false; // relay this node's session to a serial port
    int comPort = 1;         // 1 to 8

    bool operator==(const NodeEntry&) const = default;
};

inline constexpr int NodeCount = 12;
using NodeTable = std::array<NodeEntry, NodeCount>;

// The table as a new installation has it: six public cluster nodes of different
// regions on the ports they serve, and six empty entries.
NodeTable defaultNodeTable();
