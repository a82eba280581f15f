// The watch list's patterns, and its alerts as a notification service of the test's own
// receives them.

#include "../scope/SpotLines.h"
#include "desktop/SoundPlayer.h"
#include "scope/SpotScope.h"
#include "watch/DesktopNotifier.h"

#include <QDBusConnection>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The notification service of a desktop, as far as alerts use it.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList capabilities;
    QStringList shown;  // "summary|body"
    QStringList fields; // the last one's app name, icon and timeout

public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString& app, uint, const QString& icon, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int timeout) {
        shown << summary + u'|' + body;
        fields = {app, icon, QString::number(timeout)};
        return uint(shown.size());
    }
};

struct PlayedSounds : SoundOutput {
    void play(const QString& path) override { played << path; }
    QStringList played;
};

} // namespace

class WatchTest : public QObject {
    Q_OBJECT

private slots:
    void matches_data() {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<bool>("matched");
        QTest::newRow("exact, padded") << u"XX9ZZ"_s << QByteArray("XX9ZZ       ") << true;
        QTest::newRow("case") << u"xx9zz"_s << QByteArray("Xx9ZZ") << true;
        QTest::newRow("prefix") << u"3Y0*"_s << QByteArray("3Y0X") << true;
        QTest::newRow("suffix") << u"*/MM"_s << QByteArray("XX9ZZ/MM") << true;
        QTest::newRow("portable suffix") << u"XX9ZZ"_s << QByteArray("XX9ZZ/P") << true;
        QTest::newRow("portable prefix") << u"XX9ZZ"_s << QByteArray("LA/XX9ZZ") << true;
        QTest::newRow("prefix behind one") << u"3Y0*"_s << QByteArray("LA/3Y0X") << true;
        QTest::newRow("both") << u"XX9ZZ"_s << QByteArray("LA/XX9ZZ/P") << true;
        QTest::newRow("longer side") << u"G4ABC"_s << QByteArray("VP2E/G4ABC") << true;
        QTest::newRow("side like a call") << u"K1A"_s << QByteArray("K1A/AERO") << true;
        QTest::newRow("later of two") << u"K1A"_s << QByteArray("KH6/K1A") << true;
        QTest::newRow("list") << u"AA1A,3Y0*\n XX9ZZ"_s << QByteArray("XX9ZZ") << true;
        QTest::newRow("longer call") << u"XX9ZZ"_s << QByteArray("XX9ZZA") << false;
        QTest::newRow("other prefix") << u"3Y0*"_s << QByteArray("3Y1X") << false;
        QTest::newRow("not the prefix") << u"LA"_s << QByteArray("LA/XX9ZZ") << false;
        QTest::newRow("not the suffix") << u"MM"_s << QByteArray("XX9ZZ/MM") << false;
        QTest::newRow("empty") << QString() << QByteArray("XX9ZZ") << false;
        QTest::newRow("stray stars") << u"* ** *3*"_s << QByteArray("3*") << false;
        QTest::newRow("blanks") << u" \t\n,"_s << QByteArray(" ") << false;
        QTest::newRow("slashes") << u"*/*"_s << QByteArray("//") << false;
    }

    void matches() {
        QFETCH(QString, patterns);
        QFETCH(QByteArray, call);
        QTEST(WatchList(patterns).matches(call), "matched");
    }

    void alertsOncePerCallAndBand_data() {
        QTest::addColumn<QStringList>("capabilities");
        QTest::newRow("plain body") << QStringList{u"body"_s};
        QTest::newRow("markup escaped") << QStringList{u"body"_s, u"body-markup"_s};
    }

    void alertsOncePerCallAndBand() {
        auto bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"svc"_s);
        if (!bus.registerService(u"org.freedesktop.Notifications"_s))
            QSKIP("no session bus of the test's own: ctest runs it under dbus-run-session");
        FakeNotifications service;
        QFETCH(QStringList, capabilities);
        service.capabilities = capabilities;
        QVERIFY(bus.registerObject(u"/org/freedesktop/Notifications"_s, &service,
                                   QDBusConnection::ExportAllSlots));
        ScopeContext scope;
        scope.lifetimeMinutes = 10;
        qint64 now = 1'800'000'000;
        scope.now = [&now] { return now; };
        DesktopNotifier notifier;
        const WatchSettings settings{u"XX9ZZ 3Y0*"_s};
        const WatchList list(settings.calls);
        WatchAlerts alerts(
            settings, list, scope, [] { return 0; }, notifier); // Windows-1252

        const QByteArray first = SpotLines::dxDe("XX1AA:", "14025.0", "XX9ZZ", "Caf\xe9");
        const QByteArray listed = SpotLines::listing("21025.0", "xx9zz");
        const QByteArray unbanded = SpotLines::dxDe("XX1AA:", "5357.0", "LA/3Y0X");
        for (const QByteArray& line : {first + " \a", SpotLines::dxDe("XX2BB:", "14030", "XX9ZZ"),
                                       SpotLines::dxDe("XX1AA:", "7025", "3Y1X"), listed, unbanded})
            alerts.takeLine(line);
        now += 11 * 60;
        alerts.takeLine(first);

        const bool markup = capabilities.contains(u"body-markup"_s);
        const auto shown = [markup](const char* call, const QByteArray& line) {
            const QString body = QString::fromLatin1(line);
            return u"Kestrel: %1 spotted|"_s.arg(QLatin1String(call)) +
                   (markup ? body.toHtmlEscaped() : body);
        };
        QTRY_COMPARE(service.shown,
                     (QStringList{shown("XX9ZZ", first), shown("xx9zz", listed),
                                  shown("LA/3Y0X", unbanded), shown("XX9ZZ", first)}));
        QCOMPARE(service.fields, (QStringList{u"Kestrel"_s, u"org.kestrel_dx.Kestrel"_s, u"-1"_s}));
    }

    // Of the sounds of one pass of the event loop, the last plays.
    void playsTheChosenSound() {
        ScopeContext scope;
        WatchSettings settings{u"XX9ZZ"_s, u"/sounds/first.wav"_s, true};
        PlayedSounds sounds;
        DesktopNotifier notifier(&sounds);
        const WatchList list(settings.calls);
        WatchAlerts alerts(
            settings, list, scope, [] { return 0; }, notifier);
        alerts.takeLine(SpotLines::dxDe("XX1AA:", "14025.0", "XX9ZZ"));
        settings.sound = u"/sounds/last.wav"_s;
        alerts.takeLine(SpotLines::dxDe("XX1AA:", "7025.0", "XX9ZZ"));
        settings = {u"XX9ZZ"_s, u"/sounds/off.wav"_s, false};
        alerts.takeLine(SpotLines::dxDe("XX1AA:", "21025.0", "XX9ZZ"));
        QTRY_COMPARE(sounds.played, QStringList{u"/sounds/last.wav"_s});
    }
};

QTEST_GUILESS_MAIN(WatchTest)
#include "tst_watch.moc"
