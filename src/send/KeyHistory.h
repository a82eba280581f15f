#pragma once

// The lines recently sent from the send box, newest first, and the file that keeps them
// between runs (KestrelKey.txt, one line each, in UTF-8 or, when written on Windows, in
// the code page of the font's charset: see StoredTextCodec).
//
// Add keeps the list at MaxEntries, but a longer list read from the file keeps its
// length: Add then drops one old line for each new one.

#include "base/StoredText.h"

#include <QString>
#include <QStringList>

#include <utility>

class KeyHistory {
public:
    static constexpr int MaxEntries = 21;
    // A longer line in the file is read as several entries.
    static constexpr qsizetype MaxEntryLength = 1023;

    static QString defaultPath();

    // Empty and repeated lines are kept too.
    void Add(const QString& line);

    const QStringList& entries() const { return m_entries; }
    void setEntries(QStringList entries) { m_entries = std::move(entries); }

    // Replaces the list with the file's lines; a file not in UTF-8 is in the code page of
    // windowsCharset (FONT CHARSET). A missing or unreadable file gives an empty list; the
    // result only tells whether the file was read.
    bool LoadKeyHistory(const QString& path, int windowsCharset);
    // The same for the file's bytes, read already.
    void readKeyHistory(QByteArrayView file, int windowsCharset);
    // The file as SaveKeyHistory writes it.
    QByteArray keyHistoryFile() const;

    // Writes the whole file or nothing, in the encoding the file was read in: on failure
    // the old file stays as it was. A file that is there but cannot be read (too large,
    // not a plain file) is never replaced.
    bool SaveKeyHistory(const QString& path) const;

private:
    QStringList m_entries;
    StoredTextCodec m_codec;
};
