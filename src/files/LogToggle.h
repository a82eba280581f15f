#pragma once

// Starting and stopping the session log, as the log button and its menu item do it:
// the proposed name (today's date, "yyyymmdd.log") in the folder last used, the
// question about a file that is already there (add to it, overwrite it or give up),
// the confirmation before stopping, and the captions and status text that mirror the
// state. The log is independent of the connection. The questions go to LogDialogs,
// which the window supplies.
//
// GUI thread only.

#include "files/SessionLog.h"

#include <QObject>
#include <QString>

class SettingsFile;

enum class ExistingLogChoice { Add, OverWrite, Cancel };

// The operator's side of starting and stopping.
class LogDialogs {
public:
    virtual ~LogDialogs() = default;
    // The chosen file's full path, or empty when cancelled.
    virtual QString chooseLogFile(const QString& folder, const QString& proposedName) = 0;
    // fileName is without its folder.
    virtual ExistingLogChoice askExistingLog(const QString& fileName) = 0;
    virtual bool confirmStop() = 0;
    virtual void tell(const QString& message) = 0;
};

class LogToggle : public QObject {
    Q_OBJECT

public:
    explicit LogToggle(SettingsFile& settings, QObject* parent = nullptr);

    static QString proposedName();

    // The log button: asks for a file and starts, or asks and stops.
    void toggle(LogDialogs& dialogs);
    // Starts on this file without asking; false when it cannot be opened.
    bool start(const QString& path, SessionLog::Mode mode);
    // Stops without asking (the program closing).
    void stop();

    bool isLogging() const { return m_log.isOpen(); }
    // The line fan-out's log stage: writes while logging.
    LineSink& sink() { return m_log; }
    QString buttonCaption() const;
    QString menuCaption() const { return m_menuCaption; }
    // The log file's full path while logging, empty otherwise.
    QString statusText() const;

signals:
    void changed();

private:
    void startAsking(LogDialogs& dialogs);
    void saveFolder(const QString& path, LogDialogs& dialogs);

    SettingsFile& m_settings;
    SessionLog m_log;
    QString m_menuCaption;
};
