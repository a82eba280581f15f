#pragma once

// The text files the program keeps in the settings folder (Kestrel.ini, KestrelKey.txt):
// reading them without risk, and the encoding each one is in.
//
// A file holds either UTF-8 or, when written on Windows, the code page of the font's
// charset (Shift-JIS for charset 128). The whole file decides: valid UTF-8 after an
// optional byte order mark is UTF-8, anything else is the code page. A file is written
// back in the encoding it was read in, so Windows copies of the program still read it.

#include <QByteArray>
#include <QString>

enum class StoredFileState { Missing, Read, Unreadable };

struct StoredFile {
    StoredFileState state = StoredFileState::Missing;
    QByteArray bytes; // empty unless read
};

// Larger files are not ours: they are not read, and never replaced.
inline constexpr qint64 MaxStoredFileBytes = 1024 * 1024;

// The whole file, when it is a plain file of at most MaxStoredFileBytes. Devices and
// pipes are never opened: they may block or never end.
StoredFile readStoredFile(const QString& path);

// Without the byte order mark a Windows editor may have put at the start.
QByteArrayView withoutByteOrderMark(QByteArrayView bytes);

class StoredTextCodec {
public:
    StoredTextCodec() = default; // UTF-8, as for a new file

    // The encoding of a whole file, byte order mark and all; windowsCharset is a Windows
    // charset number as FONT CHARSET holds it.
    static StoredTextCodec of(QByteArrayView file, int windowsCharset);

    bool isUtf8() const { return m_codecName.isEmpty(); }
    QString decode(QByteArrayView bytes) const;
    QByteArray encode(QStringView text) const;

    // The file's text as it goes to disk. A code-page file whose bytes happen to be valid
    // UTF-8 would read back as UTF-8 with its characters changed, and one whose bytes begin
    // as a byte order mark would lose them: such a file is written as UTF-8 instead. A byte
    // order mark the file was read with comes back, and a UTF-8 text that begins with the
    // mark's bytes gets one, so such text is not taken for the mark next time.
    QByteArray readableAsWritten(const QByteArray& text) const;

private:
    QByteArray m_codecName; // empty for UTF-8
    bool m_byteOrderMark = false;
};
