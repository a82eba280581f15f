#pragma once

// What the uploader needs from the program around it: the send-and-echo step, the
// backlog of unsent bytes, the operator's Continue and Abort, and the window. The
// upload thread provides the real one; tests drive the uploader with their own.

#include <QByteArray>
#include <QString>

class UploadHost {
public:
    virtual ~UploadHost() = default;

    // Sends the line and echoes it when the node wants local echo. False when the send
    // failed: the upload stops there.
    virtual bool sendLine(const QByteArray& line) = 0;
    // Bytes handed over but not yet gone to the system.
    virtual qint64 unsentBytes() const = 0;
    // Lets the backlog drain a little.
    virtual void waitAWhile() = 0;
    // At a pause marker: waits for Continue (true) or Abort (false).
    virtual bool waitForContinue() = 0;
    virtual bool isAborted() const = 0;

    virtual void showProgress(int percent) = 0;
    virtual void reportCannotOpen(const QString& path) = 0;
    // The upload is over (end of file, Abort or a failed send).
    virtual void finish(const QString& folder) = 0;
};
