#include "desktop/ScreenSaverCheck.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

constexpr int QuietAfterFailureMs = 5000;

QDBusMessage screenSaverCall(const char* method) {
    // The object path of the freedesktop idle-inhibition service; the interface there
    // also has the saver's own methods in KDE, Xfce and others.
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QLatin1String(method));
}

} // namespace

ScreenSaverCheck::ScreenSaverCheck(const bool& saverOff, QObject* parent)
    : QObject(parent)
    , m_saverOff(saverOff)
    , m_quietUntil(0) {}

void ScreenSaverCheck::takeLine(QByteArrayView line) {
    Q_UNUSED(line);
    if (m_saverOff && !m_asking && m_quietUntil.hasExpired())
        askIfActive();
}

void ScreenSaverCheck::askIfActive() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        keepQuiet();
        return;
    }
    m_asking = true;
    auto* reply = new QDBusPendingCallWatcher(bus.asyncCall(screenSaverCall("GetActive")), this);
    connect(reply, &QDBusPendingCallWatcher::finished, this, &ScreenSaverCheck::answered);
}

void ScreenSaverCheck::answered(QDBusPendingCallWatcher* reply) {
    reply->deleteLater();
    m_asking = false;
    const QDBusPendingReply<bool> active = *reply;
    if (active.isError())
        keepQuiet();
    else if (active.value())
        QDBusConnection::sessionBus().send(screenSaverCall("SimulateUserActivity"));
}

void ScreenSaverCheck::keepQuiet() {
    m_quietUntil.setRemainingTime(QuietAfterFailureMs);
}
