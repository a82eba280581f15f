#pragma once

// The screen-saver check of the line fan-out: with the option "Terminate screen saver
// when signal comes." on, each completed line asks the desktop's screen-saver service
// (org.freedesktop.ScreenSaver on the session bus) whether a saver is running and, when
// one is, reports user activity, which ends it. Both calls are asynchronous, so the
// window never waits; while a question is unanswered, further lines ask nothing, so a
// flood has at most one query in flight. Without a session bus or without the service
// the check does nothing, and asks again only after a few seconds. GUI thread only.

#include "screen/LinePipeline.h"

#include <QDeadlineTimer>
#include <QObject>

class QDBusPendingCallWatcher;

class ScreenSaverCheck : public QObject, public LineSink {
    Q_OBJECT

public:
    // saverOff is read at each line, as the operator may change it.
    explicit ScreenSaverCheck(const bool& saverOff, QObject* parent = nullptr);

    void takeLine(QByteArrayView line) override;

private:
    void askIfActive();
    void answered(QDBusPendingCallWatcher* reply);
    void keepQuiet();

    const bool& m_saverOff;
    bool m_asking = false;
    QDeadlineTimer m_quietUntil; // after a failed query
};
