#include "net/reconnect/ReconnectCountdown.h"

#include "base/OperatorMessages.h"
#include "base/SettingsKeys.h"
#include "net/LastConnection.h"
#include "net/NodeConnection.h"
#include "net/reconnect/ReconnectTexts.h"

#include <utility>

ReconnectCountdown::ReconnectCountdown(const LastConnection& last, OperatorMessages& messages,
                                       QObject* parent)
    : QObject(parent)
    , m_last(last)
    , m_messages(messages) {
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(MillisecondsPerSecond);
    connect(&m_timer1, &QTimer::timeout, this, &ReconnectCountdown::Timer1Timer);
}

void ReconnectCountdown::setActions(Actions actions) {
    m_actions = std::move(actions);
}

void ReconnectCountdown::setSecondsSource(std::function<int()> seconds) {
    m_seconds = std::move(seconds);
}

void ReconnectCountdown::setMillisecondsPerSecond(int milliseconds) {
    m_timer1.setInterval(milliseconds);
}

void ReconnectCountdown::offer(const QString& host) {
    if (!m_enabled || m_stopped || isCounting())
        return;
    m_host = host;
    const int seconds = m_seconds ? m_seconds() : SettingsKeys::ReconnectSec.defaultNumber;
    m_position = SettingsKeys::ReconnectSec.bounded(seconds);
    m_timer1.start();
    emit started(ReconnectTexts::TryToReconnect + host, m_position);
}

void ReconnectCountdown::Timer1Timer() {
    emit ticked(--m_position);
    if (m_position > 0)
        return;
    // Over before the attempt, so that an attempt failing at once can start the next.
    end();
    Action();
}

void ReconnectCountdown::abort() {
    if (isCounting())
        end();
}

void ReconnectCountdown::stop() {
    m_stopped = true;
    abort();
}

void ReconnectCountdown::end() {
    m_timer1.stop();
    emit ended();
}

void ReconnectCountdown::Action() {
    if (m_actions.attemptUnderWay && m_actions.attemptUnderWay())
        return; // the operator has connected meanwhile
    const int action = m_last.LastConnAction();
    if (action >= 1 && action <= NodeCount) {
        if (!m_actions.startConnection)
            return;
        const int code = m_actions.startConnection(); // a call that fails brings the next offer
        if (code == NodeConnection::Started)
            m_reportedCode = 0;
        else
            startFailed(code);
    } else if (action >= 101 && action <= 100 + NodeCount) {
        m_awaitingScript = m_actions.rerunScript && m_actions.rerunScript();
        if (!m_awaitingScript)
            m_messages.post(ReconnectTexts::ActionOutOfRange);
    } else {
        m_messages.post(ReconnectTexts::ActionOutOfRange);
    }
}

// No socket event follows an attempt that could not start: the next turn is offered here.
void ReconnectCountdown::startFailed(int code) {
    if (code != m_reportedCode)
        m_messages.post(NodeConnection::ConErrStr(code));
    m_reportedCode = code;
    offer(m_host);
}

void ReconnectCountdown::scriptRunEnded(bool abortedByOperator) {
    if (!std::exchange(m_awaitingScript, false) || abortedByOperator)
        return;
    if (!m_actions.attemptUnderWay || !m_actions.attemptUnderWay())
        offer(m_host);
}
