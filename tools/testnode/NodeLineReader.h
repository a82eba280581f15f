#pragma once

// Turns what a telnet client typed into command lines: telnet commands are dropped,
// IAC IAC stands for a 255 byte, and a line ends at CR LF, CR NUL, CR or LF.
//
// Clients may send anything, so every buffer is bounded: a line longer than
// MaxLineLength keeps only its start, and a subnegotiation that never ends is given up
// after MaxSubnegotiationLength bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace testnode {

class NodeLineReader {
public:
    static constexpr qsizetype MaxLineLength = 4096;
    static constexpr qsizetype MaxSubnegotiationLength = 1024;

    // Reads one chunk as it came from the socket; returns the lines it completed.
    QList<QByteArray> feed(QByteArrayView chunk);

private:
    enum class State { Data, Iac, Option, Subnegotiation, SubnegotiationIac };

    void readByte(quint8 byte, QList<QByteArray>& lines);
    void readDataByte(quint8 byte, QList<QByteArray>& lines);
    void readCommandByte(quint8 byte);
    void readSubnegotiationByte(quint8 byte);
    void appendToLine(quint8 byte);

    State m_state = State::Data;
    QByteArray m_line;
    qsizetype m_subnegotiationLength = 0;
    bool m_afterCr = false;
};

} // namespace testnode
