#pragma once

// The lines recently sent from the send box, newest first, and the file that keeps them
// between runs (KestrelKey.txt, one line each, UTF-8).
//
// Add keeps the list at MaxEntries, but a longer list read from the file keeps its
// length: Add then drops one old line for each new one.

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

    // Replaces the list with the file's lines. A missing or unreadable file gives an
    // empty list; the result only tells whether the file was read.
    bool LoadKeyHistory(const QString& path);

    // Writes the whole file or nothing: on failure the old file stays as it was.
    bool SaveKeyHistory(const QString& path) const;

private:
    QStringList m_entries;
};
