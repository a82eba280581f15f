#pragma once

// Sends a text file to the node line by line, as read by UploadLineReader. A line that
// is exactly the pause marker "/**/" is not sent: the upload waits for Continue there.
// Before each line it waits while more than MaxUnsent bytes wait to go out, so a large
// file goes at the link's pace and memory stays flat. It stops at Abort, at once
// even while paused, and at the first failed send. Progress is reported in whole
// percent of the file's bytes.
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
    bool waitForRoom();

    UploadHost& m_host;
};
