#include "net/reconnect/LinkCheck.h"

#include "base/SettingsKeys.h"
#include "net/NodeConnection.h"

LinkCheck::LinkCheck(NodeConnection& connection, std::function<void()> sendEmptyLine,
                     QObject* parent)
    : QObject(parent)
    , m_connection(connection)
    , m_sendEmptyLine(std::move(sendEmptyLine)) {
    m_linkCheckTimer.setObjectName(QStringLiteral("LinkCheckTimer"));
    m_linkCheckTimer.setSingleShot(true);
    connect(&m_linkCheckTimer, &QTimer::timeout, this, &LinkCheck::LinkCheckTimerTimer);
}

void LinkCheck::apply(int minutes) {
    m_minutes = SettingsKeys::LinkCheck.bounded(minutes);
    rearm();
}

void LinkCheck::setMillisecondsPerMinute(int milliseconds) {
    m_millisecondsPerMinute = milliseconds;
    rearm();
}

void LinkCheck::takeLine(QByteArrayView line) {
    Q_UNUSED(line);
    m_sinceLastLine.start();
}

void LinkCheck::rearm() {
    m_sinceLastLine.start();
    if (interval() > 0)
        m_linkCheckTimer.start(interval());
    else
        m_linkCheckTimer.stop();
}

void LinkCheck::LinkCheckTimerTimer() {
    const qint64 left = interval() - m_sinceLastLine.elapsed();
    if (left > 0) { // a line came since the timer was started
        m_linkCheckTimer.start(int(left));
        return;
    }
    m_sinceLastLine.start();
    m_linkCheckTimer.start(interval());
    if (m_connection.isConnected())
        m_sendEmptyLine();
}
