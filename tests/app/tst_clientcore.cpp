// The core as the program wires it: a line from the node reaches every stage of the
// fan-out (sound triggers, watch alerts, screen-saver check), and the session's events
// reach the event sounds, through the wiring itself, not stages plugged in by the test.

#include "FakeScreenSaver.h"
#include "RecordedSounds.h"
#include "TestNode.h"
#include "app/ClientCore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray spot =
    "DX de XX1AA:     14025.0  XX9ZZ        CQ DX up 2                     0655Z";

struct WiredCore {
    RecordedSounds* sounds = new RecordedSounds; // owned by the core
    ClientCore core{std::unique_ptr<SoundOutput>(sounds)};
    ScriptHook noScript;
    NodeEntry node{u"127.0.0.1"_s, {}, {}, false, true, false, 1};
    int bells = 0;

    explicit WiredCore(quint16 port) {
        node.port = QString::number(port);
        core.wire(
            {noScript, [this] { return node; }, {}, [] { return false; }, [this] { ++bells; }, {}});
        SoundSettings& eventSounds = core.environment().sounds;
        eventSounds.files = {u"connect.wav"_s, u"disconnect.wav"_s, u"trigger.wav"_s, {}, {}};
        eventSounds.strings = {u"CQ DX"_s, {}, {}};
        core.environment().saverOff = true;
        core.watchSettings().calls = u"XX9ZZ"_s;
        core.watchSettings().sound = u"watch.wav"_s;
        core.watchSettings().soundOn = true;
        core.applyWatch();
    }
};

} // namespace

class ClientCoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit()); }

    void aNodesLineReachesEveryStage() {
        auto service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"saver"_s);
        FakeScreenSaver saver;
        if (!saver.registerOn(service))
            QSKIP("no session bus of the test's own: ctest runs it under dbus-run-session");
        TestNode node;
        QVERIFY(node.listen());
        WiredCore wired(node.port());
        QSignalSpy accepted(&node, &TestNode::clientConnected);
        QCOMPARE(wired.core.startConnection(wired.node), int(NodeConnection::Started));
        QTRY_VERIFY(wired.sounds->played.contains(u"connect.wav"_s));

        QTRY_COMPARE(accepted.count(), 1);
        node.sendLine({}); // ends the line of the node's login prompt
        node.sendLine(spot);
        QTRY_VERIFY(wired.sounds->played.contains(u"trigger.wav"_s));
        QTRY_VERIFY(wired.sounds->played.contains(u"watch.wav"_s));
        QTRY_VERIFY(!saver.active);
        QCOMPARE(wired.core.scopes().all().count(), 1);
        node.sendRaw("\a");
        QTRY_COMPARE(wired.bells, 1);

        node.dropClient(0);
        QTRY_VERIFY(wired.sounds->played.contains(u"disconnect.wav"_s));
    }
};

QTEST_GUILESS_MAIN(ClientCoreTest)
#include "tst_clientcore.moc"
