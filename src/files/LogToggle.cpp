#include "files/LogToggle.h"

#include "files/FileFolders.h"
#include "files/FilesTexts.h"
#include "settings/SettingsFile.h"

#include <QDate>
#include <QFileInfo>

LogToggle::LogToggle(SettingsFile& settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_menuCaption(FilesTexts::LogStartMenuItem) {}

QString LogToggle::proposedName() {
    return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + FilesTexts::LogDefaultSuffix;
}

void LogToggle::toggle(LogDialogs& dialogs) {
    if (!isLogging())
        startAsking(dialogs);
    else if (dialogs.confirmStop())
        stop();
}

void LogToggle::startAsking(LogDialogs& dialogs) {
    const QString chosen = dialogs.chooseLogFile(m_settings.load<LogFolder>().dir, proposedName());
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    SessionLog::Mode mode = SessionLog::Mode::Overwrite;
    if (QFileInfo::exists(path)) {
        const ExistingLogChoice choice = dialogs.askExistingLog(QFileInfo(path).fileName());
        if (choice == ExistingLogChoice::Cancel)
            return;
        if (choice == ExistingLogChoice::Add)
            mode = SessionLog::Mode::Append;
    }
    if (!start(path, mode)) {
        dialogs.tell(FilesTexts::CantCreate + path);
        return;
    }
    saveFolder(path, dialogs);
}

bool LogToggle::start(const QString& path, SessionLog::Mode mode) {
    if (!m_log.open(path, mode))
        return false;
    m_menuCaption = FilesTexts::LogEndButton;
    emit changed();
    return true;
}

void LogToggle::stop() {
    if (!isLogging())
        return;
    m_log.close();
    m_menuCaption = FilesTexts::LogStartButton;
    emit changed();
}

void LogToggle::saveFolder(const QString& path, LogDialogs& dialogs) {
    if (!m_settings.save(LogFolder{QFileInfo(path).absolutePath()}))
        dialogs.tell(m_settings.lastError());
}

QString LogToggle::buttonCaption() const {
    return isLogging() ? FilesTexts::LogEndButton : FilesTexts::LogStartButton;
}

QString LogToggle::statusText() const {
    return isLogging() ? m_log.path() : QString();
}
