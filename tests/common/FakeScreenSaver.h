#pragma once

// The screen-saver service of a desktop, as far as the program uses it, its saver
// running; registered on a session bus of the test's own (ctest runs such tests under
// dbus-run-session).

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    bool active = true;
    int queries = 0;

    // False where the bus is not the test's own and the name is taken or missing.
    bool registerOn(QDBusConnection& service) {
        return service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")) &&
               service.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), this,
                                      QDBusConnection::ExportAllSlots);
    }

    // True once the saver has handled every call this process sent it before.
    static bool barrierPassed() {
        const QDBusMessage barrier = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("/org/freedesktop/ScreenSaver"),
            QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("Barrier"));
        return QDBusConnection::sessionBus().call(barrier, QDBus::BlockWithGui).type() ==
               QDBusMessage::ReplyMessage;
    }

public slots:
    bool GetActive() { return ++queries, active; }
    void SimulateUserActivity() { active = false; }
    // A sender's calls are handled in order: once this one is answered, so are the earlier.
    void Barrier() {}
};
