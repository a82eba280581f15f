#pragma once

// The session log: the log stage of the terminal's line fan-out. Every completed line
// it is handed (trailing blanks and control bytes already removed) is written to the
// open file, ended by LF. Each line goes to the operating system as it is written, so
// a crash of the program never loses a line already shown; the file is synced to the
// disk about once a second while lines arrive, and at close. Writes are unbuffered, so
// a full disk loses the lines it cannot take instead of piling them up in memory.
//
// GUI thread only (the fan-out runs there).

#include "screen/LinePipeline.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QTimer>

class SessionLog : public QObject, public LineSink {
    Q_OBJECT

public:
    enum class Mode { Append, Overwrite };
    static constexpr int SyncIntervalMs = 1000;

    explicit SessionLog(QObject* parent = nullptr);
    ~SessionLog() override;

    // Closes any open log first. False when the path is not a plain file or cannot be
    // opened for writing; nothing is open then.
    bool open(const QString& path, Mode mode);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    void takeLine(QByteArrayView line) override;

private:
    void syncToDisk();

    QFile m_file;
    QTimer m_syncTimer;
    QByteArray m_record; // reused for every line: the line and its LF in one write
};
