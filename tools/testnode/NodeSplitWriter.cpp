#include "NodeSplitWriter.h"

#include <QTcpSocket>

#include <algorithm>

namespace testnode {

NodeSplitWriter::NodeSplitWriter(QTcpSocket* socket, QObject* parent)
    : QObject(parent)
    , m_socket(socket) {
    m_delayTimer.setSingleShot(true);
    m_delayTimer.setInterval(std::chrono::milliseconds(50));
    connect(&m_delayTimer, &QTimer::timeout, this, [this] {
        m_waiting = false;
        pump();
    });
}

void NodeSplitWriter::setOffsets(const QList<qsizetype>& offsets) {
    m_offsets = offsets;
    std::sort(m_offsets.begin(), m_offsets.end());
}

void NodeSplitWriter::setHoldAtOffsets(bool hold) {
    const bool wasHeld = isHeld();
    m_hold = hold;
    if (wasHeld && !hold) {
        m_waiting = false;
        pump();
    }
}

void NodeSplitWriter::setDelay(std::chrono::milliseconds delay) {
    m_delayTimer.setInterval(delay);
}

void NodeSplitWriter::write(const QByteArray& bytes) {
    m_pending.append(bytes);
    pump();
}

void NodeSplitWriter::release() {
    if (!isHeld())
        return;
    m_waiting = false;
    pump();
}

void NodeSplitWriter::pump() {
    while (!m_waiting && !m_pending.isEmpty()) {
        const qint64 cut = nextCut();
        const qsizetype length =
            cut < 0 ? m_pending.size() : std::min<qsizetype>(m_pending.size(), cut - m_written);
        writeToSocket(length);
        if (m_written == cut)
            waitAtCut(cut);
    }
    if (isIdle())
        emit drained();
}

qint64 NodeSplitWriter::nextCut() const {
    const auto next = std::upper_bound(m_offsets.cbegin(), m_offsets.cend(), m_written);
    return next == m_offsets.cend() ? -1 : *next;
}

void NodeSplitWriter::writeToSocket(qsizetype length) {
    if (m_socket) {
        m_socket->write(m_pending.constData(), length);
        m_socket->flush();
    }
    m_pending.remove(0, length);
    m_written += length;
}

void NodeSplitWriter::waitAtCut(qint64 offset) {
    m_waiting = true;
    if (m_hold)
        emit pieceHeld(offset);
    else
        m_delayTimer.start();
}

} // namespace testnode
