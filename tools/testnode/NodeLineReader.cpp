#include "NodeLineReader.h"

#include <utility>

namespace testnode {

namespace {
constexpr quint8 Iac = 255;
constexpr quint8 SubnegotiationEnd = 240;
constexpr quint8 SubnegotiationBegin = 250;
constexpr quint8 FirstOptionVerb = 251; // WILL, WONT, DO, DONT take one more byte
} // namespace

QList<QByteArray> NodeLineReader::feed(QByteArrayView chunk) {
    QList<QByteArray> lines;
    for (const char byte : chunk)
        readByte(static_cast<quint8>(byte), lines);
    return lines;
}

void NodeLineReader::readByte(quint8 byte, QList<QByteArray>& lines) {
    switch (m_state) {
    case State::Data:
        readDataByte(byte, lines);
        break;
    case State::Iac:
        readCommandByte(byte);
        break;
    case State::Option:
        m_state = State::Data;
        break;
    case State::Subnegotiation:
    case State::SubnegotiationIac:
        readSubnegotiationByte(byte);
        break;
    }
}

void NodeLineReader::readDataByte(quint8 byte, QList<QByteArray>& lines) {
    const bool afterCr = m_afterCr;
    m_afterCr = false;
    if (byte == Iac) {
        m_state = State::Iac;
        m_afterCr = afterCr; // a command between CR and LF still leaves one line end
    } else if (byte == '\r') {
        lines.append(std::exchange(m_line, {}));
        m_afterCr = true;
    } else if (byte == '\n') {
        if (!afterCr)
            lines.append(std::exchange(m_line, {}));
    } else if (byte != '\0') {
        appendToLine(byte);
    }
}

void NodeLineReader::readCommandByte(quint8 byte) {
    if (byte == Iac) {
        m_state = State::Data;
        m_afterCr = false;
        appendToLine(byte);
    } else if (byte == SubnegotiationBegin) {
        m_state = State::Subnegotiation;
        m_subnegotiationLength = 0;
    } else {
        m_state = byte >= FirstOptionVerb ? State::Option : State::Data;
    }
}

void NodeLineReader::readSubnegotiationByte(quint8 byte) {
    if (++m_subnegotiationLength > MaxSubnegotiationLength) {
        m_state = State::Data;
    } else if (m_state == State::SubnegotiationIac) {
        m_state = byte == SubnegotiationEnd ? State::Data : State::Subnegotiation;
    } else if (byte == Iac) {
        m_state = State::SubnegotiationIac;
    }
}

void NodeLineReader::appendToLine(quint8 byte) {
    if (m_line.size() < MaxLineLength)
        m_line.append(static_cast<char>(byte));
}

} // namespace testnode
