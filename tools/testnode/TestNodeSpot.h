#pragma once

#include <QByteArray>
#include <QDateTime>

// One spot as the node keeps it: who saw what, where and when (UTC).
struct TestNodeSpot {
    QByteArray spotter;
    double freqKhz = 0.0;
    QByteArray dxCall;
    QByteArray remarks;
    QDateTime utc;
};
