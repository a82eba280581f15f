#pragma once

// The upload thread: run() sends one file with an Uploader, at below-normal priority,
// through the GUI-thread UploadLink. What the window shows comes back as signals
// (queued to the GUI thread).
//
// Threading: resume() and abort() are called from the GUI thread. The thread never
// waits for the GUI thread, so the window may wait() for it to end after abort().

#include "files/UploadHost.h"

#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

class UploadLink;

class TUpLoad : public QThread, private UploadHost {
    Q_OBJECT

public:
    TUpLoad(UploadLink& link, const QString& path, QObject* parent = nullptr);

    // Continue: a paused upload goes on; no effect otherwise.
    void resume();
    // Abort: the upload ends after the line being sent, at once when paused.
    void abort();

signals:
    void paused();
    void progressChanged(int percent);
    void cannotOpen(const QString& path);
    void uploadEnded(const QString& folder);

protected:
    void run() override;

private:
    bool sendLine(const QByteArray& line) override;
    qint64 unsentBytes() const override;
    void waitAWhile() override;
    bool waitForContinue() override;
    bool isAborted() const override { return isInterruptionRequested(); }
    void showProgress(int percent) override { emit progressChanged(percent); }
    void reportCannotOpen(const QString& path) override { emit cannotOpen(path); }
    void finish(const QString& folder) override { emit uploadEnded(folder); }

    UploadLink& m_link;
    const QString m_path;
    QMutex m_pauseLock;
    QWaitCondition m_resumed;
    bool m_paused = false;
};
