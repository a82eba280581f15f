#pragma once

// Turns the requests to end that the system sends a running program (SIGTERM when the
// desktop session ends or someone kills it politely, SIGHUP, SIGINT) into a signal on the
// GUI thread, so the program can end as its own "Exit" would. The system's handler only
// writes a byte to a pipe (nothing else is safe there); the event loop reads it.
// One object per process; it puts the previous handlers back when destroyed.

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void endRequested();

private:
    void readRequest();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};
