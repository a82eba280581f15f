// The session's steps around the connection, with every feature hook recording what it
// was asked to do, against real sockets on 127.0.0.1.

#include "net/NetTexts.h"
#include "net/NodeConnection.h"
#include "net/Session.h"
#include "screen/ScreenBuffer.h"
#include "settings/SettingsFile.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every hook writes what it was asked into one trace, so the order shows.
struct RecordingHooks : ScrollBufferHook, SoundHook, SerialRelayHook, ScriptHook, ReconnectHook {
    QStringList& trace;
    explicit RecordingHooks(QStringList& t)
        : trace(t) {}
    void restore(const QString& host) override { trace << QStringLiteral("restore ") + host; }
    void save(const QString& host) override { trace << QStringLiteral("save ") + host; }
    void PlaySound(int index) override { trace << QStringLiteral("sound %1").arg(index); }
    void open(const NodeEntry& node) override {
        trace << QStringLiteral("open COM%1").arg(node.comPort);
    }
    void sendNotice(QLatin1StringView notice) override {
        trace << QStringLiteral("notice ") + QString(notice).trimmed();
    }
    void stop() override { trace << QStringLiteral("stop"); }
    void sessionEnded() override { trace << QStringLiteral("abort"); }
    void offer(const QString& host) override { trace << QStringLiteral("offer ") + host; }
};

QStringList lines(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace

class SessionTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_trace.clear();
        m_server.close();
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        m_session.reset();
        m_connection = std::make_unique<NodeConnection>(m_screen);
        m_settings = std::make_unique<SettingsFile>(m_dir.filePath(QStringLiteral("Kestrel.ini")));
        m_session = std::make_unique<Session>(*m_connection, m_screen, *m_settings);
        m_hooks = std::make_unique<RecordingHooks>(m_trace);
        m_session->setHook(static_cast<ScrollBufferHook*>(m_hooks.get()));
        m_session->setHook(static_cast<SoundHook*>(m_hooks.get()));
        m_session->setHook(static_cast<SerialRelayHook*>(m_hooks.get()));
        m_session->setHook(static_cast<ScriptHook*>(m_hooks.get()));
        m_session->setHook(static_cast<ReconnectHook*>(m_hooks.get()));
        for (auto signal : {&Session::connected, &Session::socketError, &Session::disconnected})
            connect(m_session.get(), signal, this, [this] { m_trace << QStringLiteral("window"); });
    }

    void connectAndNodeClosingRunStepsInOrder() {
        m_session->setNodeTableSource([] { return NodeTable(); });
        QCOMPARE(m_connection->StartConnection(node(m_server.serverPort())), 0);
        QVERIFY(m_server.waitForNewConnection(5000));
        QTRY_VERIFY(m_trace.contains(QStringLiteral("window")));
        QCOMPARE(m_trace, lines({"restore 127.0.0.1", "sound 0", "open COM3", "window"}));
        QVERIFY(!m_session->isScrollFileChoiceEnabled());
        QCOMPARE(m_settings->load<NodeTable>(), NodeTable()); // saved on connecting

        m_trace.clear();
        std::unique_ptr<QTcpSocket> peer(m_server.nextPendingConnection());
        peer->close();
        QTRY_COMPARE(m_trace.size(), 7);
        QCOMPARE(m_trace, lines({"abort", "save 127.0.0.1", "sound 1",
                                 "notice ******** Disconnected *********", "stop", "window",
                                 "offer 127.0.0.1"}));
        QVERIFY(m_session->isScrollFileChoiceEnabled());
        QList<QByteArray> shown;
        m_screen.GetNewestLines(2, shown);
        QCOMPARE(shown.at(1) + '\n', QByteArray(NetTexts::DisconnectedBanner.latin1()));
    }

    void refusedCallOffersReconnect() {
        const quint16 closedPort = m_server.serverPort();
        m_server.close();
        QCOMPARE(m_connection->StartConnection(node(closedPort)), 0);
        QTRY_COMPARE(m_trace, lines({"abort", "notice ******** Socket error *********", "window",
                                     "offer 127.0.0.1"}));
    }

    void closingTheProgramOffersNoReconnect() {
        QCOMPARE(m_connection->StartConnection(node(m_server.serverPort())), 0);
        QTRY_VERIFY(m_connection->isConnected());
        m_session->shutDown();
        QTRY_VERIFY(m_trace.contains(QStringLiteral("window")) &&
                    m_trace.contains(QStringLiteral("save 127.0.0.1")));
        QVERIFY(!m_trace.contains(QStringLiteral("offer 127.0.0.1")));
    }

    void messagesAreShownOneAtATime() {
        OperatorMessages messages;
        int depth = 0;
        messages.setPresenter([&](const QString& text) {
            m_trace << QStringLiteral("%1 at depth %2").arg(text).arg(++depth);
            if (text == QStringLiteral("first"))
                messages.post(QStringLiteral("posted while showing"));
            QTest::qWait(1); // the box's own event loop
            --depth;
        });
        messages.post(QStringLiteral("first"));
        messages.post(QStringLiteral("second"));
        QVERIFY(m_trace.isEmpty());
        QTRY_COMPARE(m_trace.size(), 3);
        QCOMPARE(m_trace, lines({"first at depth 1", "second at depth 1",
                                 "posted while showing at depth 1"}));
    }

private:
    NodeEntry node(quint16 port) const {
        const QString address = QStringLiteral("127.0.0.1"), remarks = QStringLiteral("Test");
        return {address, QString::number(port), remarks, true, true, true, 3};
    }

    QTemporaryDir m_dir;
    QTcpServer m_server;
    ScreenBuffer m_screen;
    std::unique_ptr<NodeConnection> m_connection;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<Session> m_session;
    QStringList m_trace;
    std::unique_ptr<RecordingHooks> m_hooks;
};

QTEST_GUILESS_MAIN(SessionTest)
#include "tst_session.moc"
