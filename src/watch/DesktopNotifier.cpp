#include "watch/DesktopNotifier.h"

#include "desktop/SoundPlayer.h"
#include "watch/WatchTexts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

QDBusMessage notificationsCall(const char* method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                          QStringLiteral("/org/freedesktop/Notifications"),
                                          QStringLiteral("org.freedesktop.Notifications"),
                                          QLatin1String(method));
}

QDBusMessage notifyCall(const WatchAlert& alert, bool bodyMarkup) {
    const QString appId = QStringLiteral(KESTREL_APP_ID);
    QDBusMessage call = notificationsCall("Notify");
    call << QString(WatchTexts::AppName) << 0u << appId << WatchTexts::Spotted.arg(alert.call)
         << (bodyMarkup ? alert.line.toHtmlEscaped() : alert.line) << QStringList()
         << QVariantMap{{QStringLiteral("desktop-entry"), appId}} << -1;
    return call;
}

} // namespace

DesktopNotifier::DesktopNotifier(SoundOutput* sound, QObject* parent)
    : QObject(parent)
    , m_sound(sound) {}

void DesktopNotifier::alert(const WatchAlert& alert) {
    if (!alert.soundPath.isEmpty())
        playSoon(alert.soundPath);
    if (m_unanswered >= MaxUnanswered || !QDBusConnection::sessionBus().isConnected())
        return;
    ++m_unanswered;
    m_waiting.append(alert);
    if (m_bodyMarkup)
        sendWaiting();
    else if (!m_asking)
        askCapabilities();
}

void DesktopNotifier::askCapabilities() {
    m_asking = true;
    auto* reply = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(notificationsCall("GetCapabilities")), this);
    connect(reply, &QDBusPendingCallWatcher::finished, this,
            &DesktopNotifier::capabilitiesAnswered);
}

// A service that did not answer is asked again before the next alert: it may have been
// started since.
void DesktopNotifier::capabilitiesAnswered(QDBusPendingCallWatcher* reply) {
    reply->deleteLater();
    m_asking = false;
    const QDBusPendingReply<QStringList> capabilities = *reply;
    if (!capabilities.isError())
        m_bodyMarkup = capabilities.value().contains(QStringLiteral("body-markup"));
    sendWaiting();
}

void DesktopNotifier::sendWaiting() {
    for (const WatchAlert& waiting : std::exchange(m_waiting, {})) {
        auto* reply =
            new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(
                                            notifyCall(waiting, m_bodyMarkup.value_or(false))),
                                        this);
        connect(reply, &QDBusPendingCallWatcher::finished, this, [this, reply] {
            reply->deleteLater();
            --m_unanswered;
        });
    }
}

void DesktopNotifier::playSoon(const QString& path) {
    if (!m_sound)
        return;
    if (m_pendingSound.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { m_sound->play(std::exchange(m_pendingSound, {})); },
            Qt::QueuedConnection);
    }
    m_pendingSound = path;
}
