#pragma once

// Reads an upload file as a text file written on Windows is read there: a CR LF pair
// becomes one LF (a lone CR stays), and each piece holds at most MaxPiece characters,
// ending after its LF; a longer line comes as several pieces.

#include <QByteArray>

class QIODevice;

class UploadLineReader {
public:
    static constexpr qsizetype MaxPiece = 254;

    explicit UploadLineReader(QIODevice& file);

    // The next piece; empty at the end of the file.
    QByteArray next();
    // Bytes taken from the file so far, dropped CRs included.
    qint64 consumed() const { return m_consumed; }

private:
    // The byte at the read position, or -1 at the end of the file.
    int peek();

    QIODevice& m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_consumed = 0;
};
