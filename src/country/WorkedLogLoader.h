#pragma once

// Reads the operator's ADIF log on a worker thread, so a log of tens of thousands of
// QSOs never holds up the window, and again whenever it changes on disk (a logging
// program that replaces the file is seen too, by watching its folder). The result and a
// line for the status bar come back as a signal on the GUI thread; a read asked for while
// one runs starts once that one has stopped. Destroying the loader stops the read and
// waits for it, which the reader's stop checks keep short. GUI thread only.

#include "country/WorkedLog.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <memory>

class CountryFile;

class WorkedLogLoader : public QObject {
    Q_OBJECT

public:
    explicit WorkedLogLoader(QObject* parent = nullptr);
    ~WorkedLogLoader() override;

    // Records without DXCC are placed through these countries.
    void setCountries(std::shared_ptr<const CountryFile> countries) {
        m_countries = std::move(countries);
    }
    // Reads the log now and whenever it changes; an empty path is no log at all.
    void watch(const QString& path);
    const QString& path() const { return m_path; }

signals:
    // report is for the status bar: what was read, or why nothing was.
    void loaded(const WorkedLog& worked, const QString& report);

private:
    void fileTouched();
    void startReading();
    void readingDone(quint64 generation, const WorkedLog& worked, const QString& report);

    QString m_path;
    std::shared_ptr<const CountryFile> m_countries;
    QFileSystemWatcher m_watcher;
    QTimer m_settle; // lets a logging program finish writing before the file is read
    QDateTime m_lastModified;
    qint64 m_lastSize = -1;
    std::unique_ptr<QThread> m_worker;
    bool m_readAgain = false;
    quint64 m_generation = 0; // a result for an earlier path is dropped
};
