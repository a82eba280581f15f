#pragma once

// Sends a text file to the node line by line, as read by UploadLineReader. A line that
// is exactly the pause marker "/**/" is not sent: the upload waits for Continue there.
// Before each line it waits while more than MaxUnsent bytes wait to go out (counting what
// the system holds that the node has not taken), so a large file goes at the node's
// pace and memory stays flat; once every line is out, it waits until the node has taken
// them all. It stops at Abort (after the line being sent, at once while paused or
// waiting) and at the first failed send. Progress is the bytes the node has taken, in
// whole percent of the file's. Only a plain file is read: a pipe or a device cannot be
// opened.
//
// Runs on whatever thread calls run(); everything else goes through the host.

#include <QByteArray>
#include <QString>

class QFile;
class UploadHost;

class Uploader {
public:
    static constexpr qint64 MaxUnsent = 64 * 1024;

    explicit Uploader(UploadHost& host);

    void run(const QString& path);

private:
    void sendLines(QFile& file);
    // Waits until at most unsent bytes wait; false when the operator aborted meanwhile.
    bool waitForRoom(qint64 unsent);
    void showProgress();

    UploadHost& m_host;
    qint64 m_size = 0;
    qint64 m_posted = 0; // bytes taken from the file so far
    int m_shown = 0;
};
