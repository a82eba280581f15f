#pragma once

// The script window: shows each line of the running script and any error, with Abort.
// Showing the window starts a run of ScriptFileName on the script thread (TAuto); one
// run at a time: a run asked for while one still goes (window shown or hidden) starts
// nothing and brings the window to the front. The window closes itself after a clean
// run and stays open after an error. Its own close button only hides it; Abort (or a
// socket error while it is shown) stops the script.
//
// GUI thread only. It is the script thread's host: the thread hands every call over.

#include "net/SessionHooks.h"
#include "script/ScriptHost.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptRunningFlag.h"

#include <QDialog>

#include <memory>

class QPlainTextEdit;
class QPushButton;
class ScreenBuffer;
class TAuto;

class TfScript : public QDialog, public ScriptHook, private ScriptHost {
    Q_OBJECT

public:
    // node (the main window) and screen outlive the window.
    TfScript(ScriptNodeHost& node, const ScreenBuffer& screen, QWidget* parent = nullptr);
    ~TfScript() override;

    const QString& ScriptFileName() const { return m_scriptFileName; }
    void setScriptFileName(const QString& path) { m_scriptFileName = path; }
    const QString& DisplayText() const { return m_displayText; }
    ScriptRunningFlag& runningFlag() { return m_running; }
    // For tests: the pause after each command.
    void setCommandPause(std::chrono::milliseconds pause) { m_commandPause = pause; }

    // Runs the script of function key index (0 to 11).
    void runScript(int index);
    // Runs ScriptFileName again (the reconnect after a script's connection).
    void showAgain();
    void abortIfShowing() override;
    // The program is closing: stops the script thread and joins it. True when it ended
    // in time.
    bool shutDown();

    void bAbortClick();
    void bDspClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    bool runActive() const;

    void showLine(const QString& line) override;
    int connectToNode(int number) override { return m_node.connectToNode(number); }
    void sendLine(const QString& text) override { m_node.sendLine(text); }
    void recordLastScript(int number) override { m_node.recordLastScript(number); }
    void closeWindow() override;

    ScriptNodeHost& m_node;
    const ScreenBuffer& m_screen;
    ScriptRunningFlag m_running;
    QString m_scriptFileName;
    QString m_displayText;
    std::chrono::milliseconds m_commandPause = ScriptInterpreter::DefaultCommandPause;
    std::unique_ptr<TAuto> m_auto;
    bool m_closedByRun = false;
    QPlainTextEdit* m_memo1 = nullptr;
    QPushButton* m_bAbort = nullptr;
    QPushButton* m_bDsp = nullptr;
};
