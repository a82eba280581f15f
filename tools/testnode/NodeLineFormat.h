#pragma once

// The fixed-column lines a DXSpider 1.57 node sends, built byte for byte so tests can
// compare what a client received with what a real node would have sent.

#include "TestNodeSpot.h"

#include <QByteArray>
#include <QDateTime>

namespace testnode::NodeLineFormat {

// "DX de M0TST:     14025.0  XX9ZZ        test                           0944Z" (75 bytes).
QByteArray spot(const TestNodeSpot& spot);

// "  14025.0 XX9ZZ        6-Dec-2026 0946Z test                          <M0TST>" (77 bytes).
QByteArray listing(const TestNodeSpot& spot);

// "M0TST de N0CALL-2  6-Dec-2026 0946Z dxspider >".
QByteArray prompt(const QByteArray& call, const QByteArray& nodeCall, const QDateTime& utc);

// " 6-Dec-2026": the day is space-padded, the month is always English.
QByteArray clusterDate(const QDateTime& utc);

// "0946Z".
QByteArray clusterTime(const QDateTime& utc);

} // namespace testnode::NodeLineFormat
