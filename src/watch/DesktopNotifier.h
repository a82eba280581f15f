#pragma once

// Shows watch alerts as desktop notifications: the freedesktop notification service
// (org.freedesktop.Notifications on the session bus) gets "Kestrel: <call> spotted" with
// the spot's line as body, and the alert's sound, if any, goes to the sound output.
//
// Nothing here waits: the service's capabilities are asked once, before the first
// notification (a service that reads markup gets the line escaped, so a "<M0TST>" stays
// visible), and notifications are sent without waiting for their answers. At most
// MaxUnanswered notifications are on their way at once; alerts beyond that are not
// shown, as no one could read a flood of them. Of the sounds asked for within one pass
// of the event loop only the last starts. Without a session bus or without the service,
// alerts show nothing, quietly. GUI thread only.

#include "watch/WatchAlerts.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QDBusPendingCallWatcher;
class SoundOutput;

class DesktopNotifier : public QObject, public AlertSink {
    Q_OBJECT

public:
    static constexpr int MaxUnanswered = 8;

    // sound may be null: alerts then play nothing.
    explicit DesktopNotifier(SoundOutput* sound = nullptr, QObject* parent = nullptr);

    void alert(const WatchAlert& alert) override;

private:
    void askCapabilities();
    void capabilitiesAnswered(QDBusPendingCallWatcher* reply);
    void sendWaiting();
    void playSoon(const QString& path);

    SoundOutput* m_sound;
    std::optional<bool> m_bodyMarkup; // unknown until the service answers
    bool m_asking = false;
    QList<WatchAlert> m_waiting; // for the capabilities
    int m_unanswered = 0;        // waiting or sent, not yet answered
    QString m_pendingSound;
};
