#pragma once

// The script thread: run() executes one script file with a ScriptInterpreter, at
// below-normal priority. Every call the interpreter makes on the program is handed to
// the GUI-thread host (the script window) and waited for.
//
// Threading: abort() and shutDown() are called from the GUI thread. abort() never
// waits; the run ends from any wait or pause at once, after the hand-over under way.
// shutDown() (the program is closing) also releases a hand-over and joins the thread; it
// is what the destructor does, so the thread is never destroyed while it runs.

#include "script/GuiHandOver.h"
#include "script/ScriptHost.h"
#include "script/ScriptInterpreter.h"

#include <QThread>

#include <atomic>
#include <functional>

class TAuto : public QThread, private ScriptHost {
    Q_OBJECT

public:
    static constexpr int ShutDownMilliseconds = 2000;

    // gui and screen live on the GUI thread and outlive the thread.
    TAuto(ScriptHost& gui, const ScreenBuffer& screen, ScriptRunningFlag& running,
          const QString& path, QObject* parent = nullptr);
    ~TAuto() override;

    void setCommandPause(std::chrono::milliseconds pause) { m_interpreter.setCommandPause(pause); }
    void setCharset(int windowsCharset) { m_interpreter.setCharset(windowsCharset); }
    const QString& path() const { return m_path; }
    // The script ended with an error, or its file could not be opened.
    bool failed() const { return m_failed.load(); }

    void abort();
    // True when the thread has ended within ShutDownMilliseconds.
    bool shutDown();

protected:
    void run() override;

private:
    void showLine(const QString& line) override;
    int connectToNode(int number) override;
    void sendLine(const QString& text) override;
    void recordLastScript(int number) override;
    void closeWindow() override;
    // Runs call on the GUI thread and waits for it, unless the program is closing.
    void onGui(std::function<void(ScriptHost&)> call);

    ScriptHost& m_gui;
    const QString m_path;
    GuiHandOver m_handOver;
    ScriptInterpreter m_interpreter;
    std::atomic<bool> m_failed{false};
};
