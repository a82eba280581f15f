// Automatic reconnection and the link check, over real sockets on 127.0.0.1 against the
// test node, with the second and the minute shortened to a few milliseconds; the
// reconnect dialog and the main window's check box on the offscreen platform.

#include "RecordedSounds.h"
#include "TestBytes.h"
#include "TestNode.h"
#include "app/ClientCore.h"
#include "net/reconnect/ReconnectControls.h"
#include "net/reconnect/TfReconn.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Offer = QStringLiteral("Try to reconnect -> 127.0.0.1");
const QString Call = QStringLiteral("call after 10 s");
const QByteArray NegotiationReply = bytes({255, 253, 1, 255, 252, 24});
// Waits on sockets and timers allow for a machine that stalls for seconds; they end as
// soon as the condition holds.
constexpr int StallMs = 20000;

// The program's core as the main window wires it, with the reconnect controls over it
// and a script that does nothing but say it ran. The trace holds what the operator is
// shown and what is done, in order.
struct Rig {
    ClientCore core{std::make_unique<RecordedSounds>()};
    ScriptHook noScript;
    QWidget window;
    ReconnectControls controls{core.reconnect(), &window};
    ReconnectCountdown& countdown = core.reconnect();
    LinkCheck& linkCheck = core.linkCheck();
    LastConnection& last = core.lastConnection();
    NodeEntry node{QStringLiteral("127.0.0.1"), {}, {}, false, true, false, 1};
    QStringList trace;
    int seconds = 0;

    explicit Rig(quint16 port = 0, bool sendCrLf = true) {
        node.port = QString::number(port);
        node.sendCrLf = sendCrLf;
        core.wire({noScript,
                   [this] {
                       trace << QStringLiteral("call after %1 s").arg(seconds);
                       return node;
                   },
                   {},
                   [this] {
                       trace << QStringLiteral("script after %1 s").arg(seconds);
                       return true;
                   },
                   {},
                   [this](const QString& text) { trace << text; }});
        controls.button()->setChecked(true);
        countdown.setMillisecondsPerSecond(3);
        core.environment().reconnectSec = 10;
        QObject::connect(&countdown, &ReconnectCountdown::started, [this](const QString& label) {
            trace << label;
            seconds = 0;
        });
        QObject::connect(&countdown, &ReconnectCountdown::ticked, [this] {
            if (++seconds == 5) // the same loss reported again neither restarts nor doubles it
                countdown.offer(node.address);
        });
    }
    void connect() { core.startConnection(node); }
};

} // namespace

class ReconnectTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_config; // the core's settings and scroll-buffer file

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit()); }

    void lostConnectionIsRepeatedAfterEachCountdown_data() {
        QTest::addColumn<int>("lastConnAction");
        QTest::addColumn<QStringList>("shownAndDone");
        QTest::newRow("dialog node 12") << 12 << QStringList{Offer, Call, Offer, Call, Offer, Call};
        QTest::newRow("script node 12")
            << 112 << QStringList{Offer, QStringLiteral("script after 10 s")};
        QTest::newRow("nothing recorded")
            << 0
            << QStringList{Offer,
                           QStringLiteral("LastConnAction is out of range in TfReconn::Action() ")};
    }
    // The node drops every call.
    void lostConnectionIsRepeatedAfterEachCountdown() {
        QFETCH(int, lastConnAction);
        QFETCH(QStringList, shownAndDone);
        TestNode node;
        QVERIFY(node.listen());
        connect(&node, &TestNode::clientConnected, &node, &TestNode::dropClient,
                Qt::QueuedConnection);
        Rig rig(node.port());
        if (lastConnAction > 100)
            QVERIFY(rig.last.SetLastScript(lastConnAction - 100));
        else if (lastConnAction > 0)
            QVERIFY(rig.last.SetLastNode(lastConnAction));
        rig.connect();
        QTRY_VERIFY_WITH_TIMEOUT(rig.trace.size() >= shownAndDone.size(), StallMs);
        QCOMPARE(rig.trace.mid(0, shownAndDone.size()), shownAndDone);
        rig.countdown.stop();
    }

    // The minute is 100 ms. A talking node puts the empty line off: it comes only once the
    // node has been silent for a whole minute.
    void silentLinkGetsAnEmptyLine_data() {
        QTest::addColumn<bool>("sendCrLf");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("linesFromNode"); // one every 30 ms
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("CR LF node") << true << 1 << 0 << QByteArray("\r\n");
        QTest::newRow("CR node") << false << 1 << 0 << QByteArray("\r");
        QTest::newRow("link check off") << true << 0 << 0 << QByteArray();
        QTest::newRow("node talking") << true << 1 << 10 << QByteArray("\r\n");
    }
    void silentLinkGetsAnEmptyLine() {
        QFETCH(bool, sendCrLf);
        QFETCH(int, minutes);
        QFETCH(int, linesFromNode);
        QFETCH(QByteArray, sent);
        TestNode node;
        QVERIFY(node.listen());
        Rig rig(node.port(), sendCrLf);
        rig.linkCheck.setMillisecondsPerMinute(100);
        rig.connect();
        QTRY_COMPARE_WITH_TIMEOUT(node.receivedFrom(0), NegotiationReply, StallMs);
        rig.linkCheck.apply(minutes);
        int said = 0;
        QTimer talk;
        connect(&talk, &QTimer::timeout,
                [&] { node.sendLine("chat " + QByteArray::number(++said)); });
        talk.start(30);
        QTRY_VERIFY(said >= linesFromNode);
        talk.stop();
        if (linesFromNode > 0)
            QCOMPARE(node.receivedFrom(0), NegotiationReply);
        QTRY_VERIFY_WITH_TIMEOUT(node.receivedFrom(0).startsWith(NegotiationReply + sent + sent),
                                 StallMs);
        QCOMPARE(rig.linkCheck.isArmed(), !sent.isEmpty());
    }

    // Every turn ends in an attempt under way or the next countdown, until the operator
    // ends the cycle: an attempt that cannot even start (told once), a rerun script that
    // ends with no connection up or under way.
    void everyTurnEndsInAttemptOrNextCountdown_data() {
        QTest::addColumn<int>("lastConnAction");
        QTest::addColumn<int>("startCode");
        QTest::addColumn<QString>("scriptEnd");    // how the rerun script ends
        QTest::addColumn<QStringList>("expected"); // offers and attempts, in order
        QTest::addColumn<QString>("toldOnce");
        const QString attempt = QStringLiteral("attempt"), script = QStringLiteral("script");
        QTest::newRow("node entry emptied")
            << 1 << int(NodeConnection::NoAddress) << QString()
            << QStringList{Offer, attempt, Offer, attempt, Offer, attempt, Offer}
            << QStringLiteral("** Please input Address **");
        QTest::newRow("script ends, nothing under way")
            << 101 << 0 << QStringLiteral("idle")
            << QStringList{Offer, script, Offer, script, Offer, script, Offer} << QString();
        QTest::newRow("script ends, its call under way")
            << 101 << 0 << QStringLiteral("calling") << QStringList{Offer, script} << QString();
        QTest::newRow("script aborted by the operator")
            << 101 << 0 << QStringLiteral("aborted") << QStringList{Offer, script} << QString();
    }
    void everyTurnEndsInAttemptOrNextCountdown() {
        QFETCH(int, lastConnAction);
        QFETCH(int, startCode);
        QFETCH(QString, scriptEnd);
        LastConnection last;
        QVERIFY(lastConnAction > 100 ? last.SetLastScript(lastConnAction - 100)
                                     : last.SetLastNode(lastConnAction));
        OperatorMessages messages;
        QStringList told;
        messages.setPresenter([&told](const QString& text) { told << text; });
        ReconnectCountdown countdown(last, messages);
        countdown.setEnabled(true);
        countdown.setMillisecondsPerSecond(1);
        QStringList done;
        int scriptsEnded = 0;
        connect(&countdown, &ReconnectCountdown::started,
                [&done](const QString& label) { done << label; });
        const auto endScript = [&] {
            countdown.scriptRunEnded(scriptEnd == QLatin1String("aborted"));
            ++scriptsEnded;
        };
        countdown.setActions({[&] { return done << QStringLiteral("attempt"), startCode; },
                              [&] {
                                  done << QStringLiteral("script");
                                  QMetaObject::invokeMethod(&countdown, endScript,
                                                            Qt::QueuedConnection);
                                  return true;
                              },
                              [&] {
                                  return scriptEnd == QLatin1String("calling") &&
                                         scriptsEnded == 0 && done.size() > 1;
                              }});
        countdown.offer(QStringLiteral("127.0.0.1"));
        QFETCH(QStringList, expected);
        if (expected.size() == 2) { // the cycle ends with the script's end
            QTRY_COMPARE_WITH_TIMEOUT(scriptsEnded, 1, StallMs);
            QVERIFY(!countdown.isCounting());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(done.size() >= expected.size(), StallMs);
        }
        countdown.stop();
        QCOMPARE(done.mid(0, expected.size()), expected);
        QFETCH(QString, toldOnce);
        QTRY_COMPARE(told, toldOnce.isEmpty() ? QStringList() : QStringList{toldOnce});
    }

    void countdownShownAndEnded_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<bool>("nextOfferShows");
        QTest::newRow("runs out") << QString() << 1 << true;
        QTest::newRow("ABORT") << QStringLiteral("ABORT") << 0 << true;
        QTest::newRow("Escape") << QStringLiteral("Escape") << 0 << true;
        QTest::newRow("program closing") << QStringLiteral("program closing") << 0 << false;
        QTest::newRow("Reconnect not ticked") << QStringLiteral("not ticked") << 0 << false;
    }
    void countdownShownAndEnded() {
        QFETCH(QString, how);
        Rig rig;
        TfReconn& dialog = rig.controls.dialog();
        QCheckBox* chkReconnect = rig.controls.button();
        int calls = 0;
        rig.last.SetLastNode(1);
        rig.countdown.setActions({[&calls] { return ++calls, 0; }, {}, {}});
        rig.core.environment().reconnectSec = 20;
        chkReconnect->setChecked(how != QLatin1String("not ticked"));
        rig.countdown.offer(QStringLiteral("127.0.0.1"));
        QCOMPARE(dialog.isVisible(), chkReconnect->isChecked());
        if (dialog.isVisible()) {
            QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                     QStringLiteral("Try to reconnect -> 127.0.0.1"));
            auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
            QCOMPARE(QList<int>({bar->maximum(), bar->value()}), QList<int>({20, 20}));
        }
        if (how == QLatin1String("ABORT"))
            dialog.findChild<QPushButton*>(QStringLiteral("bAbort"))->click();
        else if (how == QLatin1String("Escape"))
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else if (how == QLatin1String("program closing"))
            rig.countdown.stop();
        QTRY_VERIFY(!dialog.isVisible());
        QVERIFY(!rig.countdown.isCounting());
        QTEST(calls, "attempts");
        rig.countdown.offer(QStringLiteral("127.0.0.1"));
        QTEST(dialog.isVisible(), "nextOfferShows");
    }
};

QTEST_MAIN(ReconnectTest)
#include "tst_reconnect.moc"
