#pragma once

// The script window: shows each line of the running script and any error, with Abort.
// A run of a script file starts only when asked: by the operator (a function key or the
// Script menu) or by a reconnect, which runs the script that made the last connection
// again from its first line. Showing or restoring the window never starts one.
//
// One run at a time, on the script thread (TAuto). The operator asking while a run goes
// (window shown or hidden) starts nothing and brings the window to the front; asking
// while a run is ending (after Abort, or once it has finished its last line) starts the
// new run as soon as the old one has ended, and nothing of the old run touches the new
// one's window. The window closes itself after a clean run and stays open after an error.
// Its own close button only hides it; Abort, a session that ends (a socket error or a
// disconnect, whether the window is shown or not) or the program closing stops the run.
//
// GUI thread only. It is the script thread's host: the thread hands every call over.

#include "base/SessionHooks.h"
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

    // The file of the run shown, or of the last one asked for.
    const QString& ScriptFileName() const { return m_scriptFileName; }
    const QString& DisplayText() const { return m_displayText; }
    ScriptRunningFlag& runningFlag() { return m_running; }
    // For tests: the pause after each command.
    void setCommandPause(std::chrono::milliseconds pause) { m_commandPause = pause; }
    // The terminal's character set, for the runs that start from now on.
    void setCharset(int windowsCharset) { m_charset = windowsCharset; }

    // Runs the script of function key index (0 to 11), as the operator asks.
    void runScript(int index);
    // The reconnect: runs the script that made the last connection again, ending a run
    // that still goes. False when no script has made a connection.
    bool rerunConnectingScript();
    // The script whose "node" made the last connection; empty when none did.
    const QString& connectingScript() const { return m_connectingScript; }
    bool isRunActive() const { return m_state != State::Idle; }

    void sessionEnded() override;
    // The program is closing: stops the script thread and joins it. True when it ended
    // in time.
    bool shutDown();

    void bAbortClick();
    void bDspClick();

signals:
    // A run's thread has ended; abortedByOperator when Abort ended it.
    void runEnded(bool abortedByOperator);

private:
    enum class State { Idle, Running, Ending };

    void requestRun(const QString& path);
    void startRun(const QString& path);
    void stopRun();
    void runFinished();

    void showLine(const QString& line) override;
    int connectToNode(int number) override { return m_node.connectToNode(number); }
    void sendLine(const QString& text) override { m_node.sendLine(text); }
    void recordLastScript(int number) override;
    void closeWindow() override;

    ScriptNodeHost& m_node;
    const ScreenBuffer& m_screen;
    ScriptRunningFlag m_running;
    QString m_scriptFileName;
    QString m_connectingScript;
    QString m_pendingFile; // asked for while the last run was ending
    QString m_displayText;
    std::chrono::milliseconds m_commandPause = ScriptInterpreter::DefaultCommandPause;
    int m_charset = 0;
    std::unique_ptr<TAuto> m_auto;
    State m_state = State::Idle;
    bool m_abortedByOperator = false;
    QPlainTextEdit* m_memo1 = nullptr;
    QPushButton* m_bAbort = nullptr;
    QPushButton* m_bDsp = nullptr;
};
