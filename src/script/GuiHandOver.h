#pragma once

// Runs a call on the GUI thread for a worker thread and lets the worker wait for its
// result, without the deadlock of a blocking queued call: release() (the program is
// closing) wakes a waiting worker at once and makes every later hand-over return
// without running, so the GUI thread may join the worker while one is pending. A call
// that was released before the GUI thread got to it never runs.
//
// Threading: run() from the worker; release() from any thread. The context object lives
// on the GUI thread and outlives the worker; if it is destroyed first, pending calls are
// dropped.

#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <functional>
#include <memory>
#include <optional>

class GuiHandOver {
public:
    explicit GuiHandOver(QObject& context);

    // The call's result once it has run on the GUI thread; nothing after release().
    std::optional<int> run(std::function<int()> call);
    void release();

private:
    struct State {
        QMutex lock;
        QWaitCondition finished;
        bool released = false;
    };

    QObject& m_context;
    std::shared_ptr<State> m_state = std::make_shared<State>();
};
