#include "files/UploadLineReader.h"

#include <QIODevice>

namespace {
constexpr qint64 ChunkBytes = 64 * 1024;
}

UploadLineReader::UploadLineReader(QIODevice& file)
    : m_file(file) {}

QByteArray UploadLineReader::next() {
    QByteArray piece;
    while (piece.size() < MaxPiece) {
        const int c = peek();
        if (c < 0)
            break;
        ++m_pos;
        ++m_consumed;
        if (c == '\r' && peek() == '\n')
            continue;
        piece.append(char(c));
        if (c == '\n')
            break;
    }
    return piece;
}

int UploadLineReader::peek() {
    if (m_pos >= m_buffer.size()) {
        m_buffer = m_file.read(ChunkBytes);
        m_pos = 0;
        if (m_buffer.isEmpty())
            return -1;
    }
    return static_cast<unsigned char>(m_buffer.at(m_pos));
}
