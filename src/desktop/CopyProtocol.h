#pragma once

// What the running copies of the program say to each other over the local sockets of
// the CopyRegistry, one line each way:
//
//   "who"              -> "copy <started> <visible> <marker> <x> <y> <w> <h> <caption>"
//   "move <x> <y> <w> <h>"   (no answer; the copy moves its own window's frame there)
//
// started is the copy's start in milliseconds since 1970, visible 1 or 0, the marker
// the number its main window carries once shown (decimal), the rectangle its frame, and
// the caption runs to the end of the line, trailing blanks included.

#include <QByteArray>
#include <QRect>
#include <QString>

#include <optional>

struct CopyIdentity {
    qint64 started = 0;
    bool visible = false;
    quint32 marker = 0;
    QRect frame;
    QString caption;
};

// A copy's answer, and the socket it answered on.
struct CopyAnswer {
    QString server;
    CopyIdentity identity;
};

namespace CopyProtocol {

// The value a copy's main window carries from the moment it is first shown; arranging
// takes only windows that carry it.
inline constexpr quint32 WindowMarker = 0x6E0EE;
// A line longer than this is not from a copy: the connection is dropped.
inline constexpr qsizetype MaxLineLength = 4096;
// A peer that leaves this many bytes of answers unread is dropped.
inline constexpr qint64 MaxUnreadAnswers = 64 * 1024;
// At most this many peers are served at once; more are turned away.
inline constexpr int MaxPeers = 32;
// Frame numbers beyond this far from 0 are taken as this far: no screen is larger.
inline constexpr int MaxCoordinate = 1 << 20;
inline constexpr char WhoRequest[] = "who";

QByteArray formatIdentity(const CopyIdentity& identity);
std::optional<CopyIdentity> parseIdentity(const QByteArray& line);
QByteArray formatMove(const QRect& frame);
std::optional<QRect> parseMove(const QByteArray& line);

} // namespace CopyProtocol
