#pragma once

// Automatic reconnection. When the connection is lost or could not be made, the session
// offers a reconnect; with reconnecting switched on (the main window's check box) this
// counts RECONNECT_SEC seconds down and then repeats the last way of connecting
// (Action): the connect dialog's node again, or the whole script that connected. An
// attempt that fails brings the next offer, so the cycle repeats once per countdown:
// also an attempt that cannot even start (the node's entry was emptied, say; the reason
// is told once, not at every turn) and a script rerun that ends without a connection up
// or under way. Only the operator ends the cycle: ABORT, unticking, Abort in the script
// window, or a connection of their own.
//
// One countdown at a time: an offer while counting is the same loss reported twice and
// neither restarts nor doubles it, so a node that refuses or drops every call is never
// called faster than the countdown. abort() ends a countdown without an attempt (the
// dialog's ABORT, or the dialog closed however); stop() ends it for good when the
// program closes. The dialog only shows what is reported here.
//
// GUI thread only.

#include "base/SessionHooks.h"

#include <QObject>
#include <QTimer>

#include <functional>

class LastConnection;
class OperatorMessages;

class ReconnectCountdown : public QObject, public ReconnectHook {
    Q_OBJECT

public:
    static constexpr int MillisecondsPerSecond = 1000;

    struct Actions {
        // The main window's StartConnection: its result code (0 started).
        std::function<int()> startConnection;
        // Runs the script that made the last connection again; false when there is none.
        std::function<bool()> rerunScript;
        // A connection is up or being made.
        std::function<bool()> attemptUnderWay;
    };

    ReconnectCountdown(const LastConnection& last, OperatorMessages& messages,
                       QObject* parent = nullptr);

    void setActions(Actions actions);
    // Where RECONNECT_SEC is read when a countdown starts (the environment's value).
    void setSecondsSource(std::function<int()> seconds);
    // The operator's check box; an offer while it is off is let go.
    void setEnabled(bool on) { m_enabled = on; }
    bool isEnabled() const { return m_enabled; }
    // Tests shorten the second.
    void setMillisecondsPerSecond(int milliseconds);

    void offer(const QString& host) override;
    void abort();
    void stop();
    // Repeats the recorded way of connecting.
    void Action();
    // The script window's run has ended; one that a reconnect started and that left no
    // connection up or under way brings the next offer, unless the operator aborted it.
    void scriptRunEnded(bool abortedByOperator);

    bool isCounting() const { return m_timer1.isActive(); }
    int position() const { return m_position; }

signals:
    // A countdown began: the dialog shows the label and the bar full at seconds.
    void started(const QString& label, int seconds);
    void ticked(int position);
    // The countdown is over, by reaching 0 or by abort(): the dialog closes.
    void ended();

private:
    void Timer1Timer();
    void end();
    void startFailed(int code);

    const LastConnection& m_last;
    OperatorMessages& m_messages;
    Actions m_actions;
    std::function<int()> m_seconds;
    QTimer m_timer1{this};
    QString m_host; // of the last offer, for the next
    int m_position = 0;
    int m_reportedCode = 0; // the failure to start told last; 0 once a start works
    bool m_enabled = false;
    bool m_stopped = false;
    bool m_awaitingScript = false; // a rerun script has not ended yet
};
