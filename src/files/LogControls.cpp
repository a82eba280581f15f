#include "files/LogControls.h"

#include "files/FilesTexts.h"
#include "files/TfOverWrite.h"
#include "widgets/Accessibility.h"
#include "widgets/MessageBoxes.h"

#include <QFileDialog>
#include <QMenu>
#include <QPushButton>

namespace {

// "description|pattern|..." as the file dialog's "description (pattern)" entries.
QStringList nameFilters(QLatin1StringView pairs) {
    const QStringList parts = QString(pairs).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(parts.at(i) + QStringLiteral(" (") + parts.at(i + 1) + QLatin1Char(')'));
    return filters;
}

} // namespace

LogControls::LogControls(LogToggle& toggle, QWidget* window)
    : QObject(window)
    , m_window(window)
    , m_toggle(toggle)
    , m_bLog(new QPushButton(window)) {
    m_bLog->setObjectName(QStringLiteral("bLog"));
    describeControl(m_bLog, FilesTexts::LogStartButton, FilesTexts::LogButtonHint);
    setCaption(m_bLog, FilesTexts::LogStartButton);
    connect(m_bLog, &QPushButton::clicked, this, &LogControls::bLogClick);
    connect(&m_toggle, &LogToggle::changed, this, &LogControls::showState);
}

void LogControls::addMenuItem(QMenu* menu) {
    m_logStart1 = menu->addAction(m_toggle.menuCaption());
    m_logStart1->setObjectName(QStringLiteral("LogStart1"));
    connect(m_logStart1, &QAction::triggered, this, &LogControls::bLogClick);
}

void LogControls::bLogClick() {
    m_toggle.toggle(*this);
}

void LogControls::showState() {
    setCaption(m_bLog, m_toggle.buttonCaption());
    if (m_logStart1)
        m_logStart1->setText(m_toggle.menuCaption());
    emit statusTextChanged(m_toggle.statusText());
}

QString LogControls::chooseLogFile(const QString& folder, const QString& proposedName) {
    QFileDialog dialog(m_window, FilesTexts::LogDialogTitle, folder);
    dialog.setObjectName(QStringLiteral("LogSaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // TfOverWrite asks instead
    dialog.setNameFilters(nameFilters(FilesTexts::LogFileFilter));
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

ExistingLogChoice LogControls::askExistingLog(const QString& fileName) {
    TfOverWrite fOverWrite(m_window);
    return fOverWrite.ask(fileName);
}

bool LogControls::confirmStop() {
    return askYesNo(m_window, FilesTexts::StopLogging);
}

void LogControls::tell(const QString& message) {
    showMessage(m_window, message);
}
