#pragma once

// The main window's log controls: the button bLog, the File menu's item LogStart1, and
// the dialogs they open (the save dialog, TfOverWrite, the message boxes). Both controls
// start or stop the log (LogToggle) and show its state; statusTextChanged carries the
// text of the status bar's panel 1.

#include "files/LogToggle.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QPushButton;
class QWidget;

class LogControls : public QObject, private LogDialogs {
    Q_OBJECT

public:
    // window parents the dialogs and, until it is laid out, the button.
    LogControls(LogToggle& toggle, QWidget* window);

    QPushButton* button() const { return m_bLog; }
    void addMenuItem(QMenu* menu);
    LogToggle& toggle() { return m_toggle; }

    void bLogClick();
    // The window closing: the log is closed without asking.
    void close() { m_toggle.stop(); }

signals:
    void statusTextChanged(const QString& text);

private:
    QString chooseLogFile(const QString& folder, const QString& proposedName) override;
    ExistingLogChoice askExistingLog(const QString& fileName) override;
    bool confirmStop() override;
    void tell(const QString& message) override;
    void showState();

    QWidget* m_window;
    LogToggle& m_toggle;
    QPushButton* m_bLog;
    QPointer<QAction> m_logStart1;
};
